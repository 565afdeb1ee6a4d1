// Turning a picture on the CPU: the fast sampling gives, bit for bit, what
// sampling each pixel the plain way gives.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/platform/video/TurnedPicture.h"

namespace {

using veru::platform::TurnedImage;
using veru::platform::turnPicture;
using veru::platform::TurnRequest;

// The colour at one output pixel, sampled the plain way: the pixel's centre
// turned back into the rectangle, four texels premultiplied and mixed,
// rounded half away from zero.
std::uint32_t plainSample(const TurnRequest& q, const TurnedImage& image, int i, int j) {
    const double radians = q.angle * 3.14159265358979323846 / 180.0;
    const float c = static_cast<float>(std::cos(radians));
    const float s = static_cast<float>(std::sin(radians));
    const float w = static_cast<float>(q.width);
    const float h = static_cast<float>(q.height);
    float dx = static_cast<float>(image.left + i) + 0.5f - q.pivotX;
    float dy = static_cast<float>(image.top + j) + 0.5f - q.pivotY;
    float u = dx * c + dy * s + q.centreX;
    float v = -dx * s + dy * c + q.centreY;
    if (u < 0.0f || v < 0.0f || u >= w || v >= h) {
        return 0;
    }
    u = q.mirrorX ? w - u : u;
    v = q.mirrorY ? h - v : v;
    float sx = u * (static_cast<float>(q.sourceWidth) / w);
    float sy = v * (static_cast<float>(q.sourceHeight) / h);
    auto texel = [&](int tx, int ty) {
        tx = std::clamp(tx, 0, q.sourceWidth - 1);
        ty = std::clamp(ty, 0, q.sourceHeight - 1);
        std::uint32_t p = q.pixels[(q.sourceY + ty) * q.pictureWidth + q.sourceX + tx];
        return q.opaque ? p | 0xFF000000u : p;
    };
    if (!q.smooth) {
        return texel(static_cast<int>(sx), static_cast<int>(sy));
    }
    float fx = sx - 0.5f;
    float fy = sy - 0.5f;
    int x0 = static_cast<int>(std::floor(fx));
    int y0 = static_cast<int>(std::floor(fy));
    float ax = fx - static_cast<float>(x0);
    float ay = fy - static_cast<float>(y0);
    // Channel `shift` of a texel, premultiplied (alpha as it is).
    auto pre = [&](int tx, int ty, int shift) {
        std::uint32_t p = texel(tx, ty);
        float a = static_cast<float>(p >> 24);
        float value = static_cast<float>((p >> shift) & 0xFF);
        return shift == 24 ? a : value * (a / 255.0f);
    };
    auto mix = [&](int shift) {
        float p00 = pre(x0, y0, shift), p10 = pre(x0 + 1, y0, shift);
        float p01 = pre(x0, y0 + 1, shift), p11 = pre(x0 + 1, y0 + 1, shift);
        float top = p00 + (p10 - p00) * ax;
        float bottom = p01 + (p11 - p01) * ax;
        return top + (bottom - top) * ay;
    };
    const float a = mix(24);
    if (a < 0.5f) {
        return 0;
    }
    const float k = 255.0f / a;
    auto round = [](float value) -> std::uint32_t {
        return value > 0.0f ? static_cast<std::uint32_t>(
                                  std::min(255.0, std::floor(static_cast<double>(value) + 0.5)))
                            : 0u;
    };
    return round(a) << 24 | round(mix(16) * k) << 16 | round(mix(8) * k) << 8 | round(mix(0) * k);
}

// A 40 x 30 sheet: a clear border, soft edges, fully opaque and half-clear
// patches, every colour different.
std::vector<std::uint32_t> sheet() {
    std::vector<std::uint32_t> pixels(40 * 30);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            std::uint32_t colour = static_cast<std::uint32_t>(x * 97 + y * 389) * 2654435761u;
            std::uint32_t alpha = (x < 3 || y < 3) ? 0u : (x + y) % 7 == 0 ? 255u : (x * y) % 256u;
            pixels[static_cast<std::size_t>(y * 40 + x)] = alpha << 24 | (colour & 0xFFFFFFu);
        }
    }
    return pixels;
}

TEST(TurnedPictureTest, EveryPixelIsWhatPlainSamplingGives) {
    const std::vector<std::uint32_t> pixels = sheet();
    int cases = 0;
    for (double angle : {0.0, 7.0, 45.0, 90.0, 133.5, 200.0, 359.0}) {
        for (int size : {9, 25, 57}) {  // shrunk, close to the cell, stretched
            for (int variant = 0; variant < 4; ++variant) {
                TurnRequest q;
                q.pixels = pixels.data();
                q.pictureWidth = 40;
                q.sourceX = 2;
                q.sourceY = 1;
                q.sourceWidth = 30;
                q.sourceHeight = 24;
                q.width = size;
                q.height = size * 3 / 4 + 1;
                q.centreX = static_cast<float>(size) / 2.0f;
                q.centreY = variant == 1 ? -3.25f : 5.5f;
                q.pivotX = 0.25f * static_cast<float>(variant);
                q.pivotY = 0.75f;
                q.angle = angle;
                q.mirrorX = variant == 1;
                q.mirrorY = variant == 2;
                q.smooth = variant != 3;
                q.opaque = variant == 2;
                const TurnedImage image = turnPicture(q);
                ASSERT_GT(image.width, 0);
                ASSERT_EQ(image.pixels.size(),
                          static_cast<std::size_t>(image.width * image.height));
                for (int j = 0; j < image.height; ++j) {
                    for (int i = 0; i < image.width; ++i) {
                        ASSERT_EQ(image.pixels[static_cast<std::size_t>(j * image.width + i)],
                                  plainSample(q, image, i, j))
                            << "angle " << angle << " size " << size << " variant " << variant
                            << " at " << i << "," << j;
                    }
                }
                ++cases;
            }
        }
    }
    EXPECT_EQ(cases, 84);
}

}  // namespace
