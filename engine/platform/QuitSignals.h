#pragma once
// QuitSignals: while one is alive, a terminal closed under the game
// (SIGHUP), Ctrl-C (SIGINT) and a logout or `kill` (SIGTERM) no longer end
// the program on the spot. The signal is noted, and the event pump hands it
// out as the window's close, so the game leaves its loop and saves as after
// any normal end.
//
// The handler is one-shot: a second signal of the same kind ends the
// program the default way, so a game that no longer turns its loop can
// still be stopped. A signal ignored when the program started (nohup) stays
// ignored. The settings are saved by writing a new file and
// renaming it, so even that second signal never damages the old one.
//
// Ownership: one at a time; the destructor puts back the handlers it found.
// Thread: create and destroy on the main thread; the signal may come on any.

namespace veru::platform {

class QuitSignals {
  public:
    // Installs the handlers and forgets any signal noted before.
    QuitSignals();
    ~QuitSignals();
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;
};

// True once SIGTERM, SIGINT or SIGHUP arrived while a QuitSignals was alive.
bool quitSignalReceived();

}  // namespace veru::platform
