#pragma once
// Tunes opened ahead of the scene that streams them.
//
// Opening a streamed Ogg tune checks the whole file and decodes the first
// fill of its ring (three seconds): too long for a frame. A worker reading a
// scene ahead (holding a dxt::material::PreloadPass) calls preloadTune for each
// tune the scene will stream; the decoder, opened and positioned after the
// first fill, waits in the process's tune store with the fill's bytes. Later,
// on the main thread, StreamingSoundOgg::read takes it instead of opening the
// file again, and only copies the bytes into its ring.
//
// A tune is found only by the same file (the file system's own name of it, size and
// modification time), so a file replaced meanwhile is opened again. A tune
// that fails to open is not stored: the main thread's read then fails with
// the box it always showed. The prepared fill is exactly what the read would
// decode itself (the decoder's loop flag is the fresh one), so what is heard
// does not depend on whether the worker ran.
//
// Ownership: the store owns what it keeps until a read takes it or
// dropPreloadedTunes frees it.
// Thread: any thread (one mutex).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "engine/core/YString.h"

namespace veru::sound {

class OggFile;

// The start of a tune: its decoder, positioned after `firstFill`.
struct PreparedTune {
    PreparedTune();
    ~PreparedTune();
    PreparedTune(PreparedTune&&) noexcept;
    PreparedTune& operator=(PreparedTune&&) noexcept;

    std::unique_ptr<OggFile> decoder;
    std::vector<std::uint8_t> firstFill;  // the ring's bytes from the start
    std::uint32_t decoded = 0;            // of which the stream gave this many
};

// On a thread holding a PreloadPass: opens the Ogg tune at `path` and
// decodes its first fill into the store (nothing when one is kept already,
// the path is not ASCII or the file does not open). Elsewhere: nothing.
// Throws dxt::material::PreloadStopped when the pass was asked to stop.
void preloadTune(const YString& path);
// Hands over the tune kept for `path`, which leaves the store.
std::optional<PreparedTune> takePreloadedTune(const YString& path);
// Frees every kept tune.
void dropPreloadedTunes();
std::size_t preloadedTuneCount();

}  // namespace veru::sound
