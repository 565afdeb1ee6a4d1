#include "engine/platform/QuitSignals.h"

#include <signal.h>

#include <array>

namespace veru::platform {

namespace {

constexpr std::array<int, 3> kQuitSignals = {SIGTERM, SIGINT, SIGHUP};

volatile sig_atomic_t received = 0;
std::array<struct sigaction, kQuitSignals.size()> previous{};

extern "C" void noteQuitSignal(int) {
    received = 1;
}

}  // namespace

QuitSignals::QuitSignals() {
    received = 0;
    struct sigaction action {};
    action.sa_handler = noteQuitSignal;
    sigemptyset(&action.sa_mask);
    // Restart interrupted reads and writes (a save in progress goes on);
    // back to the default after the first signal.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (std::size_t i = 0; i < kQuitSignals.size(); ++i) {
        sigaction(kQuitSignals[i], &action, &previous[i]);
        // A signal the starter chose to ignore (nohup) stays ignored.
        if (previous[i].sa_handler == SIG_IGN)
            sigaction(kQuitSignals[i], &previous[i], nullptr);
    }
}

QuitSignals::~QuitSignals() {
    for (std::size_t i = 0; i < kQuitSignals.size(); ++i)
        sigaction(kQuitSignals[i], &previous[i], nullptr);
}

bool quitSignalReceived() {
    return received != 0;
}

}  // namespace veru::platform
