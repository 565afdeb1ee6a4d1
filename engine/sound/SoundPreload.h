#pragma once
// Sound effects read ahead of the scene that plays them.
//
// Reading a wave file and converting it for the mixer takes a large part of
// a stage's create (a few hundred kilobytes per effect). A worker reading a
// scene ahead (holding a dxt::material::PreloadPass) runs the scene's own
// loading code: BufferedSound::read on that thread calls preloadSound instead
// of making voices, which reads the whole file and converts it into the
// process's sound store. Later, on the main thread, BufferedSound::read takes
// the converted samples and only makes its voices on them. The samples are
// exactly what the read would have made itself, so what is heard does not
// depend on whether the worker ran.
//
// A sound that fails to read is not stored: the main thread's read then fails
// with the box it always showed.
//
// Ownership: the store owns what it keeps until a read takes it or
// dropPreloadedSounds frees it.
// Thread: any thread (one mutex).

#include <cstddef>
#include <optional>

#include "engine/core/YString.h"
#include "engine/platform/audio/Mixer.h"

namespace veru::sound {

class SoundFile;

// On a thread holding a PreloadPass: reads the sound at `path` whole through
// `file` (a fresh reader of the sound's kind) and keeps it converted (nothing
// when one is kept already or the file cannot be read). Elsewhere: nothing.
// Throws dxt::material::PreloadStopped when the pass was asked to stop.
void preloadSound(const YString& path, SoundFile& file);
// Hands over the samples kept for `path`, which leave the store.
std::optional<platform::ConvertedSamples> takePreloadedSound(const YString& path);
// Frees every kept sound.
void dropPreloadedSounds();
std::size_t preloadedSoundCount();

}  // namespace veru::sound
