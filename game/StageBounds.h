#pragma once
// The shooting field's size and how far the stage position counts: the
// stage, its script reader and check, its talk boxes and the autopilot all
// read them from here.
//
// Thread: constants; any thread.

namespace ml::stage {

// The field the play happens in: the whole width of the window, the HUD
// strip below it.
inline constexpr int kFieldWidth = 800;
inline constexpr int kFieldHeight = 480;

// The stage position counts shooting frames up to this value, then starts
// again at 0; an enemy placed beyond it would never enter.
inline constexpr int kLastPosition = 100000;

}  // namespace ml::stage
