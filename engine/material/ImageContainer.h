#pragma once
// The game's picture containers, ".ytx" (textures) and ".ysf" (full-screen
// surfaces). Little-endian; the 17-byte header is plain, the rest scrambled
// with the key registered for the suffix:
//   0  int32  bitDepth   .ytx: 32 = with alpha, anything else 24-bit
//   4  byte   (unused)
//   5  int32  width      .ysf: size of the surface to create
//   9  int32  height
//   13 int32  rawSize    length of the payload once inflated
//   17 ...    payload    scrambled zlib stream (with header) that inflates
//                        to exactly rawSize bytes: a PNG or JPEG file
//
// Thread: any thread (the key registry is only read).
// Failure: every message names the file. readImageContainer throws
// FileNotFoundException (missing file), EOFException (header cut short),
// IOException "Z_BUF_ERRORが発生しました。：", "Z_MEM_ERRORが発生しました。："
// or "Z_DATA_ERRORが発生しました。：" + path from inflation. rawSize outside 0..kMaxRawSize, and a
// payload longer than any zlib stream of kMaxRawSize bytes, are refused with IOException before
// anything is allocated; a stream that inflates to fewer than rawSize bytes
// is refused with IOException too. writeImageContainer throws FileNotFoundException /
// IOException from the byte writer; it writes a temporary file beside `path`
// and renames it over `path`, so a failed write never leaves a partial file.

#include <cstdint>
#include <span>
#include <vector>

#include "engine/core/YString.h"
#include "engine/platform/image/Image.h"

namespace veru::dxt::material {

struct ImageContainerHeader {
    std::int32_t bitDepth = 32;
    std::uint8_t unused = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t rawSize = 0;
};

struct ImageContainer {
    ImageContainerHeader header;
    std::vector<std::uint8_t> payload;  // the inflated picture file
};

// Largest inflated payload accepted (64 MiB).
constexpr std::int32_t kMaxRawSize = 64 * 1024 * 1024;

// Reads a container; `suffix` ("ytx" or "ysf") picks the registered key.
ImageContainer readImageContainer(const YString& path, const char* suffix);
// Reads only the plain header (nothing is inflated), so that the sizes it
// claims can be checked before anything is allocated for them.
ImageContainerHeader readImageContainerHeader(const YString& path);

// Decodes the picture a container holds. `opaque` makes every pixel opaque
// (a 24-bit texture) after the colour key was applied, so keyed pixels turn
// black. Throws IOException "画像の読込みに失敗しました。：" + `path` when the
// payload is no picture the decoders accept.
platform::Image decodeContainerPicture(const ImageContainer& container, const YString& path,
                                       std::uint32_t colorKey, bool opaque);

// Throws IOException `failure` + "画像の大きさ（w×h）がファイルの記録（w×h）と
//合いません。：" + `path` when the picture's size is not the one the header
// records: a damaged header must not pass for the picture it holds.
void checkContainerSize(const ImageContainerHeader& header, int pictureWidth, int pictureHeight,
                        const char16_t* failure, const YString& path);

// Writes `payload` (a picture file) as a container: rawSize is set from the
// payload, the rest of the header taken from `header`.
void writeImageContainer(const YString& path, const char* suffix,
                         const ImageContainerHeader& header, std::span<const std::uint8_t> payload);

}  // namespace veru::dxt::material
