#pragma once
// StagePreload: the part of a stage's create that can run before it, on a
// worker, while the talk before the stage is on screen.
//
// The job runs the stage's own loading code with no renderer and a sound
// manager with no device under a PreloadPass (engine/material/PicturePreload.h):
// the script is read and checked, every picture the heroine, her HUD and
// pick-ups, the script's objects and its talk use, the menus' pictures and
// the backdrop's file are decoded or read into the preload stores, every sound
// effect is read and converted (engine/sound/SoundPreload.h), and the stage's
// tunes are opened and begun (engine/sound/TunePreload.h), so that create,
// on the main thread, only builds the objects and uploads. Everything it makes is thrown away;
// create builds the stage afresh, so the play cannot depend on whether or when the job ran. Its
// random numbers are its own (ScratchRandom), and it shows no box: a broken script or picture fails
// again in create, which shows the same box as without the job.
//
// Thread: stagePreparation is called on the main thread; the job runs on a
// worker and reads only what it captured (a copy of the script path, the
// difficulty, and the heroine's row, which is constant).

#include "engine/core/YString.h"
#include "engine/scene/Scene.h"

namespace ml {

struct StageHeroine;

// The job that prepares `heroine`'s stage read from `scriptPath` at `difficulty`.
veru::dxt::PrepareJob stagePreparation(const veru::YString& scriptPath, const StageHeroine& heroine,
                                       int difficulty);

}  // namespace ml
