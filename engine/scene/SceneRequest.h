#pragma once
// The requests a scene makes of the scene loop after a frame.

namespace veru::dxt {

constexpr int kRequestNone = 0;      // stay in this scene
constexpr int kRequestQuit = 1;      // close the window and leave the loop
constexpr int kRequestNext = 2;      // the manager's next
constexpr int kRequestPrevious = 3;  // the manager's previous
constexpr int kRequestJump = 4;      // the manager's jump to the request argument
constexpr int kRequestExit = 5;      // leave by the named exit in the request argument

// The named ways out of a scene. The engine only carries the name: where
// each leads is the game's flow table.
enum class SceneExit {
    next,       // done here: on to whatever follows
    back,       // back to the scene this one was opened from
    title,      // give up and return to the title menu
    configure,  // open the configuration
    story,      // begin the chosen heroine's story
    replays,    // open the list of kept plays
    again,      // this same scene once more, entered afresh (a retry)
    practice,   // open the practice menu
};
// The last name above: a request argument past it names no exit.
inline constexpr SceneExit kLastSceneExit = SceneExit::practice;

}  // namespace veru::dxt
