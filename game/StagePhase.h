#pragma once
// The phases of a shooting stage and how its ending fade finishes.
//
// A stage runs: fade-in -> entry -> talk -> shooting -> boss approach ->
// talk -> boss battle -> talk -> ending (-> results card); the pause menu
// and the continue dialog interrupt the play and return to the phase they
// left.

#include "game/shooting/object/ObjectCodes.h"

namespace ml::stage {

constexpr int kPaused = 1;        // only the pause menu runs
constexpr int kFadeIn = 2;        // the fade layer clears; nothing moves
constexpr int kEntry = 4;         // the player runs in from the left
constexpr int kTalk = 5;          // portraits and talk boxes; script lines run
constexpr int kShooting = 7;      // scrolling, the timeline, items, collisions
constexpr int kBossApproach = 8;  // the boss waits its delay, then slides in
constexpr int kBossBattle = 9;    // like shooting, with the boss fighting
constexpr int kEnding = 10;       // fade to black, then the exit of exitMode
constexpr int kResults = 11;      // the play is over: the results card
constexpr int kContinue = 12;     // only the continue dialog runs
constexpr int kGameOver = 13;     // the game-over screen, then the title

// exitMode: how the ending fade finishes.
constexpr int kExitCleared = 0;   // the "Info_End" caption, then the next scene
constexpr int kExitTitle = 1;     // back to the title menu
constexpr int kExitQuit = 2;      // end the game
constexpr int kExitGameOver = 3;  // the game-over screen
constexpr int kExitRetry = 4;     // the same stage again from its start

// The phases in which the player is in play: the buttons fly her, the pause
// button (or leaving the window) pauses, and Hotaru's shots are shown. The
// wait before the boss is one of them: however long a script makes it, the
// stage can be left.
constexpr bool playerInPlay(int phase) {
    return phase == kShooting || phase == kBossApproach || phase == kBossBattle;
}

// Whether the player flies under control: in play, or invulnerable just
// after coming back (not entering, falling or bombing). Only then does the
// kintuba gauge drain.
constexpr bool playerControllable(int playerState) {
    return playerState == shooting::object::STATE_ACTIVE ||
           playerState == shooting::object::STATE_RECOVER;
}

// Whether the stage takes a kintuba (one stock) now: only while shooting or
// fighting the boss (not while it slides in) and from a controllable player.
// A press at any other time does nothing.
constexpr bool stockTakesEffect(int phase, int playerState) {
    return (phase == kShooting || phase == kBossBattle) && playerControllable(playerState);
}

}  // namespace ml::stage
