#pragma once
// gameMain: builds every long-lived object of the game in a fixed order,
// runs the scene loop and tears everything down in reverse order, saving the
// settings first.
//
// The loop turns once per frame: at most one window event, the current
// scene's update, clear-draw-present, then the scene's request (1 quit,
// 2 next, 3 previous, 4 jump to a scene number). Talk scenes run at 30
// frames per second and reset the player's stock; every other scene at 60.
//
// Thread: the main thread; returns when the game ends.
// Failure: an exception that leaves the loop (a scene that cannot be
// created, for instance) is shown in an error box; the settings are still
// saved and the result is 1. A window that cannot be made also gives 1.
//
// A quit signal (SIGTERM, SIGINT, SIGHUP) ends the loop as the window's
// close does. Either way, in the middle of the stage, the high score reached
// so far is kept and saved with the settings.
//
// The scenes and the way from one to the next are the tables of
// SceneFlow.h; the menu's heroine (PlayStatus::character) decides whose
// prologue, stage and closing follow the menu.
//
// The data is read from the working folder (img/, sound/, script/); the
// player's files are written where `files` says.

#include "app/GameFolders.h"
#include "app/GameHooks.h"

namespace ml {

// What the command line asks of this run (CommandLine.h).
struct StartOptions {
    // Start in full screen instead of a window.
    bool fullScreen = false;
    // A recording to watch before the title menu: the game opens on its
    // heroine's stage, plays it, and goes on to the title menu (never to
    // her closing talk). A file that cannot be played is named in an
    // error box and on stderr, and the game opens on the title menu.
    // Empty: the game opens on the logo, as always.
    veru::YString replayFile;
};

// Returns the program's exit status: 0 after a normal end.
int gameMain(const GameHooks& hooks = {}, const PlayerFiles& files = {},
             const StartOptions& start = {});

}  // namespace ml
