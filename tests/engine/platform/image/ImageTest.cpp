// The picture decoders: every PNG colour type the game's art may use, JPEG,
// the colour key, and files that are broken or claim absurd sizes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/platform/image/Image.h"
#include "engine/platform/image/Zlib.h"

namespace {

using veru::platform::decodeImage;
using veru::platform::Image;
using Bytes = std::vector<std::uint8_t>;

Image makeImage(int width, int height, std::uint32_t (*colourAt)(int x, int y)) {
    Image image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels.push_back(colourAt(x, y));
    return image;
}

std::uint32_t gradient(int x, int y) {
    return (static_cast<std::uint32_t>(x * 16 + 15) << 24) |
           (static_cast<std::uint32_t>(x * 20) << 16) | (static_cast<std::uint32_t>(y * 30) << 8) |
           static_cast<std::uint32_t>(x * y);
}

// Four flat quadrants, aligned to JPEG's 16-pixel blocks.
std::uint32_t quadrants(int x, int y) {
    static const std::uint32_t colours[] = {0xFFE02010, 0xFF10E020, 0xFF2010E0, 0xFFF0F0F0};
    return colours[(x / 16) + 2 * (y / 16)];
}

// --- PNG files written byte by byte, for colour types encodePng never makes.
std::uint32_t crc32(const std::uint8_t* data, std::size_t length) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void appendBigEndian(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void appendChunk(Bytes& out, const char* type, const Bytes& data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    appendBigEndian(out, crc32(&out[start], out.size() - start));
}

// A PNG of `colourType` whose rows are `rows` (filter bytes added here).
Bytes handMadePng(std::uint32_t width, std::uint32_t height, std::uint8_t colourType,
                  const std::vector<Bytes>& rows, const Bytes& palette = {},
                  const Bytes& transparency = {}, std::uint8_t bitDepth = 8) {
    Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    appendBigEndian(header, width);
    appendBigEndian(header, height);
    header.insert(header.end(), {bitDepth, colourType, 0, 0, 0});
    appendChunk(file, "IHDR", header);
    if (!palette.empty())
        appendChunk(file, "PLTE", palette);
    if (!transparency.empty())
        appendChunk(file, "tRNS", transparency);
    Bytes raw;
    for (const Bytes& row : rows) {
        raw.push_back(0);
        raw.insert(raw.end(), row.begin(), row.end());
    }
    Bytes packed;
    EXPECT_TRUE(veru::platform::deflateZlib(raw, packed));
    appendChunk(file, "IDAT", packed);
    appendChunk(file, "IEND", {});
    return file;
}

Bytes png(const Image& image, bool withAlpha = true) {
    Bytes file;
    EXPECT_TRUE(veru::platform::encodePng(image, file, withAlpha));
    return file;
}

Bytes jpeg(const Image& image) {
    Bytes file;
    EXPECT_TRUE(veru::platform::encodeJpeg(image, file, 100));
    return file;
}

void expectNear(std::uint32_t actual, std::uint32_t expected, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        EXPECT_LE(std::abs(a - e), tolerance) << std::hex << actual << " vs " << expected;
    }
}

// A decoder that fails must leave no half picture behind.
void expectRefused(const Bytes& file) {
    Image out = makeImage(2, 2, gradient);
    EXPECT_FALSE(decodeImage(file, out));
    EXPECT_EQ(out.width, 0);
    EXPECT_EQ(out.height, 0);
    EXPECT_TRUE(out.pixels.empty());
    int width = -1, height = -1;
    EXPECT_FALSE(veru::platform::readImageSize(file, width, height));
}

TEST(ImageDecoder, PngWithAlphaKeepsEveryPixelExactly) {
    const Image original = makeImage(13, 7, gradient);
    Image decoded;
    ASSERT_TRUE(decodeImage(png(original), decoded));
    EXPECT_EQ(decoded.width, 13);
    EXPECT_EQ(decoded.height, 7);
    EXPECT_TRUE(decoded.hasAlpha);
    EXPECT_EQ(decoded.pixels, original.pixels);
}

TEST(ImageDecoder, PngWithoutAlphaIsOpaque) {
    const Image original = makeImage(9, 5, gradient);
    Image decoded;
    ASSERT_TRUE(decodeImage(png(original, false), decoded));
    EXPECT_FALSE(decoded.hasAlpha);
    for (std::size_t i = 0; i < original.pixels.size(); ++i)
        EXPECT_EQ(decoded.pixels[i], original.pixels[i] | 0xFF000000u) << i;
}

TEST(ImageDecoder, GreyAndPalettePngs) {
    Image grey;
    ASSERT_TRUE(decodeImage(handMadePng(3, 1, 0, {{0x00, 0x80, 0xFF}}), grey));
    EXPECT_FALSE(grey.hasAlpha);
    EXPECT_EQ(grey.pixels, (std::vector<std::uint32_t>{0xFF000000, 0xFF808080, 0xFFFFFFFF}));

    Image deep;  // 16 bits a sample: scaled down, not gamma-converted
    ASSERT_TRUE(decodeImage(handMadePng(2, 1, 0, {{0x80, 0x80, 0x20, 0x20}}, {}, {}, 16), deep));
    EXPECT_EQ(deep.pixels, (std::vector<std::uint32_t>{0xFF808080, 0xFF202020}));

    Image greyAlpha;  // colour type 4: grey + alpha
    ASSERT_TRUE(decodeImage(handMadePng(2, 1, 4, {{0x40, 0x00, 0xC0, 0xFF}}), greyAlpha));
    EXPECT_TRUE(greyAlpha.hasAlpha);
    EXPECT_EQ(greyAlpha.pixels[1], 0xFFC0C0C0u);
    EXPECT_EQ(greyAlpha.pixels[0] >> 24, 0u);

    const Bytes palette = {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF};
    Image opaque;
    ASSERT_TRUE(decodeImage(handMadePng(3, 2, 3, {{2, 1, 0}, {0, 0, 1}}, palette), opaque));
    EXPECT_FALSE(opaque.hasAlpha);
    EXPECT_EQ(opaque.pixels, (std::vector<std::uint32_t>{0xFF0000FF, 0xFF00FF00, 0xFFFF0000,
                                                         0xFFFF0000, 0xFFFF0000, 0xFF00FF00}));

    Image keyed;  // tRNS: entry 0 fully transparent, entry 1 half
    ASSERT_TRUE(decodeImage(handMadePng(3, 1, 3, {{0, 1, 2}}, palette, {0x00, 0x80}), keyed));
    EXPECT_TRUE(keyed.hasAlpha);
    EXPECT_EQ(keyed.pixels[0] >> 24, 0u);
    EXPECT_EQ(keyed.pixels[1], 0x8000FF00u);
    EXPECT_EQ(keyed.pixels[2], 0xFF0000FFu);
}

TEST(ImageDecoder, JpegDecodesToOpaqueColoursWithinTolerance) {
    const Image original = makeImage(32, 32, quadrants);
    const Bytes file = jpeg(original);
    Image decoded;
    ASSERT_TRUE(decodeImage(file, decoded));
    EXPECT_EQ(decoded.width, 32);
    EXPECT_EQ(decoded.height, 32);
    EXPECT_FALSE(decoded.hasAlpha);
    for (int y : {3, 20})
        for (int x : {5, 27})
            expectNear(decoded.pixels[y * 32 + x], quadrants(x, y), 4);
    int width = 0, height = 0;
    ASSERT_TRUE(veru::platform::readImageSize(file, width, height));
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 32);
}

// Busy detail in every channel, so that any column a cut decode gets wrong
// (an edge repeated instead of its neighbour) shows.
std::uint32_t texture(int x, int y) {
    const auto n = static_cast<std::uint32_t>(x * 2654435761u ^ y * 40503u);
    return 0xFF000000u | ((n >> 7) & 0xFF) << 16 | static_cast<std::uint32_t>(x * 3 + y) << 8 |
           (((n >> 13) & 0x3F) + static_cast<std::uint32_t>(y * 4));
}

// A column range decoded alone has exactly the whole decode's pixels there,
// for each way a JPEG may be stored: full or halved colour, one scan or many.
TEST(ImageDecoder, JpegColumnsMatchTheWholeDecode) {
    const Image original = makeImage(301, 37, texture);
    for (const veru::platform::JpegEncoding how :
         {veru::platform::JpegEncoding{.quality = 85, .fullColour = true},
          veru::platform::JpegEncoding{.quality = 85},
          veru::platform::JpegEncoding{.quality = 60, .progressive = true}}) {
        SCOPED_TRACE(::testing::Message()
                     << "progressive " << how.progressive << ", full colour " << how.fullColour);
        Bytes file;
        ASSERT_TRUE(veru::platform::encodeJpeg(original, file, how));
        ASSERT_TRUE(veru::platform::decodesColumns(file));
        Image whole;
        ASSERT_TRUE(decodeImage(file, whole));
        for (auto [left, width] : {std::pair{0, 1}, std::pair{0, 64}, std::pair{7, 9},
                                   std::pair{16, 16}, std::pair{33, 100}, std::pair{100, 201},
                                   std::pair{250, 51}, std::pair{300, 1}, std::pair{0, 301}}) {
            Image part;
            ASSERT_TRUE(veru::platform::decodeImageColumns(file, left, width, part))
                << left << "+" << width;
            ASSERT_EQ(part.width, width);
            ASSERT_EQ(part.height, 37);
            ASSERT_EQ(part.pixels.size(), static_cast<std::size_t>(width) * 37);
            for (int y = 0; y < 37; ++y)
                for (int x = 0; x < width; ++x)
                    ASSERT_EQ(part.pixels[y * width + x], whole.pixels[y * 301 + left + x])
                        << "columns " << left << "+" << width << ", pixel " << x << ", " << y;
        }
    }
}

TEST(ImageDecoder, JpegColumnsOutsideThePictureOrOfOtherFilesAreRefused) {
    const Bytes file = jpeg(makeImage(40, 8, texture));
    Image out = makeImage(2, 2, gradient);
    for (auto [left, width] : {std::pair{-1, 4}, std::pair{0, 0}, std::pair{0, 41},
                               std::pair{37, 4}, std::pair{40, 1}}) {
        EXPECT_FALSE(veru::platform::decodeImageColumns(file, left, width, out))
            << left << "+" << width;
        EXPECT_TRUE(out.pixels.empty());
    }
    const Bytes pngFile = png(makeImage(40, 8, texture));
    EXPECT_FALSE(veru::platform::decodesColumns(pngFile));
    EXPECT_FALSE(veru::platform::decodeImageColumns(pngFile, 0, 8, out));
    // A file cut short is refused whichever columns are asked for: every
    // column decode reads the whole file.
    const Bytes cut(file.begin(), file.end() - 40);
    EXPECT_FALSE(veru::platform::decodeImageColumns(cut, 0, 8, out));
    EXPECT_TRUE(out.pixels.empty());
}

TEST(ImageDecoder, ColourKeyMakesExactMatchesTransparent) {
    const Image original = makeImage(32, 32, quadrants);
    Image decoded;
    ASSERT_TRUE(decodeImage(png(original, false), decoded, 0xFF10E020));
    EXPECT_TRUE(decoded.hasAlpha);
    EXPECT_EQ(decoded.pixels[20], 0u);          // (20, 0): the keyed quadrant
    EXPECT_EQ(decoded.pixels[0], 0xFFE02010u);  // others untouched
    EXPECT_EQ(decoded.pixels[20 * 32 + 20], 0xFFF0F0F0u);

    // The key compares alpha too: an opaque key does not hit a pixel whose alpha is 0x80.
    Image half = makeImage(1, 1, [](int, int) { return 0x8010E020u; });
    ASSERT_TRUE(decodeImage(png(half), decoded, 0xFF10E020));
    EXPECT_EQ(decoded.pixels[0], 0x8010E020u);
    // No key hit leaves an opaque picture opaque.
    ASSERT_TRUE(decodeImage(png(original, false), decoded, 0xFF123456));
    EXPECT_FALSE(decoded.hasAlpha);
}

TEST(ImageDecoder, ReadImageSizeOfPng) {
    int width = 0, height = 0;
    ASSERT_TRUE(veru::platform::readImageSize(png(makeImage(300, 2, gradient)), width, height));
    EXPECT_EQ(width, 300);
    EXPECT_EQ(height, 2);
}

TEST(ImageDecoder, BrokenFilesAreRefused) {
    const Bytes pngFile = png(makeImage(40, 40, gradient));
    const Bytes jpegFile = jpeg(makeImage(32, 32, quadrants));
    expectRefused({});
    expectRefused({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0});
    expectRefused(Bytes(pngFile.begin(), pngFile.begin() + 8));  // signature only
    expectRefused(Bytes(jpegFile.begin(), jpegFile.begin() + 3));

    // Cut inside the picture data: the header still reads, the picture does not.
    Image out;
    EXPECT_FALSE(decodeImage(Bytes(pngFile.begin(), pngFile.begin() + pngFile.size() / 2), out));
    EXPECT_TRUE(out.pixels.empty());
    EXPECT_FALSE(decodeImage(Bytes(jpegFile.begin(), jpegFile.begin() + jpegFile.size() / 2), out));
    EXPECT_TRUE(out.pixels.empty());

    Bytes badCrc = pngFile;
    badCrc[30] ^= 0xFF;  // inside the IHDR chunk
    EXPECT_FALSE(decodeImage(badCrc, out));
}

TEST(ImageDecoder, AbsurdSizesAreRefusedBeforeDecoding) {
    const Bytes row(1, 0);
    expectRefused(handMadePng(veru::platform::kMaxImageSide + 1, 1, 0, {row}));
    expectRefused(handMadePng(1, 0x7FFFFFFF, 0, {row}));
    // Each side allowed, the area not.
    expectRefused(
        handMadePng(veru::platform::kMaxImageSide, veru::platform::kMaxImageSide, 0, {row}));

    // A JPEG whose frame header claims 65535 x 65535.
    Bytes file = jpeg(makeImage(32, 32, quadrants));
    bool patched = false;
    for (std::size_t i = 2; i + 8 < file.size(); ++i) {
        if (file[i] == 0xFF && file[i + 1] == 0xC0) {
            for (std::size_t k = 5; k <= 8; ++k)
                file[i + k] = 0xFF;
            patched = true;
            break;
        }
    }
    ASSERT_TRUE(patched);
    expectRefused(file);
}

TEST(ImageEncoder, RefusesImagesWithoutMatchingPixels) {
    Bytes out;
    EXPECT_FALSE(veru::platform::encodePng(Image{}, out));
    Image wrong = makeImage(4, 4, gradient);
    wrong.pixels.pop_back();
    EXPECT_FALSE(veru::platform::encodePng(wrong, out));
    EXPECT_FALSE(veru::platform::encodeJpeg(wrong, out));
    EXPECT_TRUE(out.empty());
}

TEST(Zlib, ResultCodes) {
    const Bytes data(1000, 7);
    Bytes packed, out;
    ASSERT_TRUE(veru::platform::deflateZlib(data, packed));
    EXPECT_EQ(veru::platform::inflateZlib(packed, 1000, out), veru::platform::InflateResult::ok);
    EXPECT_EQ(out, data);
    EXPECT_EQ(veru::platform::inflateZlib(packed, 2000, out), veru::platform::InflateResult::ok);
    EXPECT_EQ(out.size(), 1000u);  // fewer than asked for: the caller decides
    EXPECT_EQ(veru::platform::inflateZlib(packed, 999, out),
              veru::platform::InflateResult::bufferError);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(veru::platform::inflateZlib(data, 1000, out),
              veru::platform::InflateResult::dataError);
    EXPECT_EQ(veru::platform::inflateZlib(Bytes(packed.begin(), packed.end() - 6), 1000, out),
              veru::platform::InflateResult::dataError);
}

}  // namespace
