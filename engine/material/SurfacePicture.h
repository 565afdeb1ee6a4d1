#pragma once
// SurfacePicture: the pixels of a full-screen picture as a Surface will hold
// them, read and checked on the CPU side before any device object is made.
//
// A ".ysf" container gives the size in its header, which must be the size
// of the picture inside. Any other file gives the picture's own size.
//
// Thread: any thread (the key registry is only read).
// Failure: FileNotFoundException (missing file); IOException
// "Surface作成失敗。：" + path for a size of 0, a negative size, a side above
// kMaxImageSide or an area above kMaxImagePixels — checked from the header
// before the payload is inflated or anything allocated —, and
// "Surface作成失敗。画像の大きさ（w×h）がファイルの記録（W×H）と合いません。：" + path
// for a container whose header disagrees with its picture; IOException
// "画像の読込みに失敗しました。：" + path when the decoder refuses the
// picture; the container reader's exceptions.

#include <cstdint>
#include <vector>

#include "engine/core/YString.h"

namespace veru::dxt::material {

struct SurfacePicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // width * height ARGB values, rows top down
};

// A surface's picture file, read and its size checked but not decoded.
struct SurfaceFile {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;  // the PNG or JPEG file
};

// True for a surface size the game accepts.
bool surfaceSizeAllowed(long long width, long long height);

// readSurfaceFile then decodeSurfaceFile.
SurfacePicture readSurfacePicture(const YString& path);
// Every failure above but the decoder's.
SurfaceFile readSurfaceFile(const YString& path);
// The decoder's failure, naming `path`.
SurfacePicture decodeSurfaceFile(SurfaceFile file, const YString& path);

}  // namespace veru::dxt::material
