#pragma once
// Where the running program is, where the player's own files go, and the
// working folder the data is read from.
//
// Thread: main thread, before anything else is loaded.
// Failure: reported through return values; nothing here throws.

#include <string>
#include <string_view>

namespace veru::platform {

// The folder holding the program file itself ("/usr/games"), found through
// the system and not through the working folder; empty when unknown.
std::u16string programFolder();

// The base folder for the player's data files: $XDG_DATA_HOME when it is an
// absolute path, otherwise ~/.local/share (the home from $HOME, or from the
// user database); empty when there is no home at all.
std::u16string userDataHome();

// Makes `folder` the working folder. False (and the working folder
// unchanged) when it cannot be entered.
bool enterFolder(std::u16string_view folder);

}  // namespace veru::platform
