// Quit signals: noted and handed out as the window's close while a
// QuitSignals lives; the handlers found before come back afterwards.

#include "engine/platform/QuitSignals.h"

#include <gtest/gtest.h>
#include <signal.h>

#include "engine/platform/video/EventPump.h"

namespace {

void (*handlerOf(int signal))(int) {
    struct sigaction current {};
    sigaction(signal, nullptr, &current);
    return current.sa_handler;
}

}  // namespace

TEST(QuitSignals, EachSignalIsNotedAndPumpedAsQuit) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const auto before = handlerOf(signal);
        {
            veru::platform::QuitSignals quit;
            EXPECT_FALSE(veru::platform::quitSignalReceived());
            ASSERT_EQ(::raise(signal), 0);  // the test would end here without the handler
            EXPECT_TRUE(veru::platform::quitSignalReceived()) << signal;
            EXPECT_EQ(veru::platform::pollOneEvent().kind, veru::platform::PumpedEvent::Kind::quit);
            // One-shot: a second signal would end the program as before.
            EXPECT_EQ(handlerOf(signal), SIG_DFL);
        }
        EXPECT_EQ(handlerOf(signal), before) << signal;
        // A new game forgets the last one's signal.
        veru::platform::QuitSignals next;
        EXPECT_FALSE(veru::platform::quitSignalReceived());
    }
}

TEST(QuitSignals, ASignalIgnoredAtStartStaysIgnored) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction old {};
    sigaction(SIGHUP, &ignore, &old);
    {
        veru::platform::QuitSignals quit;
        EXPECT_EQ(handlerOf(SIGHUP), SIG_IGN);  // started under nohup
        EXPECT_NE(handlerOf(SIGTERM), SIG_DFL);
    }
    sigaction(SIGHUP, &old, nullptr);
}
