#pragma once
// Pictures decoded ahead of the scene that loads them.
//
// A scene whose loading is heavy reads its pictures on a worker thread while
// the scene before it is still on screen: the worker holds a PreloadPass and
// runs the scene's own loading code with no device. While the pass is alive,
// Texture::load on that thread decodes the picture into the process's
// preload store and uploads nothing (the texture gets the picture's size and
// no device texture); Surface::load decodes into the store too. Later, on the
// main thread, Texture::load takes the stored picture instead of decoding
// the file again, so the scene's create only has to upload. Surface::load
// does the same with its full-screen pictures (Surface::loadStreamed reads
// only its file ahead: it decodes as the picture scrolls in).
//
// A stored picture is found only by the same file (the file system's own name of it, size and
// modification time) and the same colour key, so a file replaced meanwhile is
// read again. What fails in a pass is not stored: the main thread's load
// then fails with the same message it always gave.
//
// Ownership: the store owns the decoded pictures until a load takes one or
// dropPreloadedPictures frees the rest.
// Thread: the store may be used from any thread (one mutex); a pass belongs
// to the thread that made it.
// Failure: a pass whose stop was requested makes the next Texture::load on
// its thread throw PreloadStopped, so the worker winds up at once.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/YString.h"
#include "engine/material/SurfacePicture.h"
#include "engine/platform/image/Image.h"

namespace veru::dxt::material {

// Which picture a file holds: the file as it is on disk now, the colour key,
// and whether a surface reads it (a surface's picture is read from its own
// container, so it is never handed to a texture, nor the other way round).
struct PictureFile {
    std::uint64_t device = 0;  // the file system's own name of the file
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // ns since 1970
    std::uint32_t key = 0;
    bool surface = false;

    auto operator<=>(const PictureFile&) const = default;
    // False when `path` is no plain file. One question to the file system
    // (platform::rememberedStatus: none for a path asked before under a
    // StatMemo). Any thread.
    static bool of(const YString& path, std::uint32_t key, PictureFile& out);
};

// Thrown by loads on a thread whose pass was asked to stop.
struct PreloadStopped {};

class PreloadPass {
  public:
    // `stop`: asked to stop, the pass ends the worker's loading early.
    explicit PreloadPass(std::stop_token stop = {});
    ~PreloadPass();
    PreloadPass(const PreloadPass&) = delete;
    PreloadPass& operator=(const PreloadPass&) = delete;

    // True on a thread that holds a pass.
    static bool active();
    // Throws PreloadStopped when this thread's pass was asked to stop.
    static void checkStop();

  private:
    std::stop_token stop;
    PreloadPass* previous;
};

// Keeps `image` for the next load of `file` (a picture already kept stays).
void storePreloadedPicture(const PictureFile& file, platform::Image image);
// True when a picture of `file` is kept; its size goes to width and height.
bool findPreloadedPicture(const PictureFile& file, int& width, int& height);
// Hands over the picture kept for `file`, which leaves the store.
std::optional<platform::Image> takePreloadedPicture(const PictureFile& file);
// Hands over one kept picture that a texture loads (none of a surface's),
// which leaves the store: the caller uploads it ahead of its load
// (uploadPreloadedPicture in Texture.h). A later preload of the same file
// finds it handed over and decodes nothing. nullopt when none is kept.
std::optional<std::pair<PictureFile, platform::Image>> handOverPreloadedPicture();
// What a streamed surface (Surface::loadStreamed) reads ahead: its file, read
// and inflated, and the first column tiles its first copies show, decoded.
struct StreamedFile {
    SurfaceFile file;
    int tileWidth = 0;
    std::vector<std::vector<std::uint32_t>> firstTiles;  // tiles 0, 1, ... of tileWidth columns
};
// Keeps `read` for the next streamed load of `file`; one already kept stays.
// has: true when one is kept for `file` now.
void storePreloadedStream(const PictureFile& file, StreamedFile read);
bool hasPreloadedStream(const PictureFile& file);
// Hands over the streamed file kept for `file`, which leaves the store.
std::optional<StreamedFile> takePreloadedStream(const PictureFile& file);
// Frees every kept picture and surface file (what a preparation made that no
// load took) and forgets what was handed over.
void dropPreloadedPictures();
// How many pictures are kept, and their bytes (with the kept streamed files').
std::size_t preloadedPictureCount();
std::size_t preloadedPictureBytes();

}  // namespace veru::dxt::material
