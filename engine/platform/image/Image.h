#pragma once
// Image: a decoded picture in 32-bit ARGB, and the decoders for the picture
// files the game's containers hold (PNG and JPEG).
//
// Thread: every function may be called from any thread.
// Failure: the functions return false and leave `out` empty; a picture whose
// header claims an absurd size is refused before anything is allocated.

#include <cstdint>
#include <span>
#include <vector>

namespace veru::platform {

struct Image {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;              // the file had an alpha channel (or a colour key hit)
    std::vector<std::uint32_t> pixels;  // width * height ARGB values, rows top to bottom
};

// Largest picture side the decoders accept.
constexpr int kMaxImageSide = 16384;
// Largest picture area the decoders accept (64 Mi pixels, 256 MiB of ARGB):
// a small file must not make us allocate gigabytes.
constexpr long long kMaxImagePixels = 64LL * 1024 * 1024;

// Decodes a PNG or JPEG file held in memory. Pixels whose ARGB value equals
// `colorKey` become fully transparent (0x00000000); 0 means no colour key.
bool decodeImage(std::span<const std::uint8_t> file, Image& out, std::uint32_t colorKey = 0);
// True for a picture file whose columns decodeImageColumns decodes on their
// own (a JPEG); any other format would have to be decoded whole.
bool decodesColumns(std::span<const std::uint8_t> file);
// Decodes the columns left .. left + width - 1 of a JPEG file, every row,
// with the same pixels decodeImage gives there. The whole file is read, but
// only those columns (and a small margin) are turned into pixels. False for
// a broken file, another format, or columns outside the picture.
bool decodeImageColumns(std::span<const std::uint8_t> file, int left, int width, Image& out);
// Reads only the width and height from a PNG or JPEG header.
bool readImageSize(std::span<const std::uint8_t> file, int& width, int& height);
// Encodes an image as a PNG file (with alpha when `withAlpha`); false for an
// empty image or one whose pixel count does not match its size.
bool encodePng(const Image& image, std::vector<std::uint8_t>& out, bool withAlpha = true);
// How encodeJpeg writes a file.
struct JpegEncoding {
    int quality = 90;          // 1..100
    bool progressive = false;  // many scans instead of one baseline scan
    bool fullColour = false;   // colour at every pixel instead of every 2 x 2 (4:4:4, not 4:2:0)
};
// Encodes an image as a JPEG file (alpha dropped); false for an empty image,
// one whose pixel count does not match its size, or a quality outside 1..100.
bool encodeJpeg(const Image& image, std::vector<std::uint8_t>& out, const JpegEncoding& how);
// A baseline 4:2:0 JPEG of the given quality.
bool encodeJpeg(const Image& image, std::vector<std::uint8_t>& out, int quality = 90);

}  // namespace veru::platform
