#pragma once
// The event pump: takes at most one event from SDL's queue per call.
//
// The window's close request, SDL's quit event and a quit signal (see
// QuitSignals) all come back as `quit`.
// A lost render device is handled here: every live VideoDevice uploads its
// textures again. Mouse presses and wheel turns are passed on for the frame.
//
// Thread: main thread only (SDL's event queue belongs to it).

namespace veru::platform {

struct PumpedEvent {
    enum class Kind { none, quit, mouseButton, mouseWheel, focusLost, other };
    Kind kind = Kind::none;
    int x = 0;  // mouse position for presses
    int y = 0;
    int button = 0;  // 1 left, 2 right, 3 middle
    int wheel = 0;   // wheel turn in notches, positive away from the player
};

// Takes one event without waiting; Kind::none when the queue is empty or
// SDL's events are not started.
PumpedEvent pollOneEvent();

// Puts a quit event in the queue, as closing the window does; false when
// SDL's events are not started.
bool postQuitEvent();

}  // namespace veru::platform
