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
// Reads only the width and height from a PNG or JPEG header.
bool readImageSize(std::span<const std::uint8_t> file, int& width, int& height);
// Encodes an image as a PNG file (with alpha when `withAlpha`); false for an
// empty image or one whose pixel count does not match its size.
bool encodePng(const Image& image, std::vector<std::uint8_t>& out, bool withAlpha = true);
// Encodes an image as a baseline JPEG file (alpha dropped), quality 1..100.
bool encodeJpeg(const Image& image, std::vector<std::uint8_t>& out, int quality = 90);

}  // namespace veru::platform
