#pragma once
// Where the game reads its data and writes the player's files.
//
// The data (img/, sound/, script/) is found from the program's own folder,
// never from the folder it was started in: beside the program (a build
// folder, or a game unpacked in one folder) or, installed, in
// ../share/games/mirelune next to the program's folder (/usr/games ->
// /usr/share/games/mirelune).
//
// The player's files, "setting.env" and "last_stage.rpl", stay beside the
// program when the data is there and the folder is writable, as a build
// folder run has always done. Installed, or in a folder the player may not
// write, they go to <user data home>/mirelune ($XDG_DATA_HOME, by default
// ~/.local/share). A "setting.env" left beside the program by an older
// version is copied there on the first start, so nothing the player had is
// lost; the old file stays as it was.
//
// Thread: main thread, before the game starts.

#include <optional>
#include <string>

#include "engine/core/YString.h"

namespace ml {

// The player's files; a relative name is taken in the working folder.
struct PlayerFiles {
    veru::YString settings = u"setting.env";
    veru::YString lastStage = u"last_stage.rpl";  // the last play, for a bug report
    veru::YString padMappings;                    // the player's own pad mappings; empty for none
    // The player's folder: the plays the player keeps go in its "replays"
    // folder (ReplayLibrary.h).
    veru::YString folder = u".";
};

struct GameFolders {
    veru::YString data;    // holds img/, sound/, script/
    veru::YString player;  // holds setting.env and last_stage.rpl
    // setting.env beside the program, read once when `player` has none yet;
    // empty when the player's files are beside the program anyway.
    veru::YString oldSettings;
};

// The data folder installed next to a program folder ("share/games/mirelune"
// under the prefix).
veru::YString installedDataFolder(const veru::YString& programFolder);

// Decides the folders from the program's folder and the user's data home
// (see veru::platform::userDataHome); nothing when no data folder is found.
// With no user data home, the player's files stay beside the program.
std::optional<GameFolders> locateGameFolders(const veru::YString& programFolder,
                                             const veru::YString& userDataHome);

// Creates the player's folder and brings an older setting.env over when the
// folder has none. Returns the paths of the player's files. A folder that
// cannot be made is not reported here: the save at the end names the file
// it could not write.
PlayerFiles preparePlayerFolder(const GameFolders& folders);

}  // namespace ml
