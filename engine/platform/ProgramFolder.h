#pragma once
// The folder the program file lives in, so that the game finds img/, sound/,
// script/ and setting.env beside itself wherever it is started from.
//
// Thread: main thread, before anything else is loaded.

#include <string>

namespace veru::platform {

// Makes the program's own folder the working folder. False (and the working
// folder unchanged) when the folder cannot be found or entered.
bool enterProgramFolder();

}  // namespace veru::platform
