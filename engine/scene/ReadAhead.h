#pragma once
// readAheadJob: the PrepareJob a scene hands out (Scene::prepare), made from
// the part of its loading that reads files.
//
// `read` runs on the worker under a dxt::material::PreloadPass, so that its
// pictures, sounds and tunes go to the preload stores and nothing to a device;
// quietly (no box: create shows what fails when it meets it again); with
// random numbers of its own (effect2D::ScratchRandom), so that the game's
// sequences never move; and under a platform::StatMemo. Whatever it throws
// (a broken file, the pass asked to stop, memory or threads short) ends it:
// create reads the rest itself.
//
// Thread: made on the main thread; `read` runs on the worker and must touch
// only what it captured, by value or constant.

#include <functional>

#include "engine/scene/Scene.h"

namespace veru::dxt {

PrepareJob readAheadJob(std::function<void()> read);

}  // namespace veru::dxt
