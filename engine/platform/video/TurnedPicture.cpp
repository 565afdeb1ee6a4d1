#include "engine/platform/video/TurnedPicture.h"

#include <algorithm>
#include <cmath>

namespace veru::platform {

namespace {

// Source rectangles up to this many texels are premultiplied ahead (16 bytes each).
constexpr std::size_t kMaxPremultipliedTexels = 512 * 512;

// Premultiplied channels of one pixel, 0..255 each.
struct Premultiplied {
    float a = 0.0f, r = 0.0f, g = 0.0f, b = 0.0f;
};

Premultiplied premultiply(std::uint32_t p) {
    float a = static_cast<float>(p >> 24);
    float k = a / 255.0f;
    return {a, static_cast<float>((p >> 16) & 0xFF) * k, static_cast<float>((p >> 8) & 0xFF) * k,
            static_cast<float>(p & 0xFF) * k};
}

std::uint32_t unpremultiply(const Premultiplied& c) {
    if (c.a < 0.5f) {
        return 0;
    }
    float k = 255.0f / c.a;
    // Rounds half away from zero, clamped to 0..255. A float plus one half
    // is exact in a double, so this is lround without the library call.
    auto channel = [](float v) -> std::uint32_t {
        if (!(v > 0.0f)) {
            return 0;
        }
        const double rounded = static_cast<double>(v) + 0.5;
        return rounded >= 255.0 ? 255u : static_cast<std::uint32_t>(rounded);
    };
    return channel(c.a) << 24 | channel(c.r * k) << 16 | channel(c.g * k) << 8 | channel(c.b * k);
}

}  // namespace

TurnedImage turnPicture(const TurnRequest& q) {
    TurnedImage out;
    if (!q.pixels || q.width <= 0 || q.height <= 0 || q.sourceWidth <= 0 || q.sourceHeight <= 0) {
        return out;
    }
    const double radians = q.angle * 3.14159265358979323846 / 180.0;
    const float c = static_cast<float>(std::cos(radians));
    const float s = static_cast<float>(std::sin(radians));
    const float w = static_cast<float>(q.width);
    const float h = static_cast<float>(q.height);
    // The turned corners, relative to the grid the pivot lies in.
    float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
    for (float cx : {0.0f, w}) {
        for (float cy : {0.0f, h}) {
            float dx = cx - q.centreX;
            float dy = cy - q.centreY;
            float x = q.pivotX + dx * c - dy * s;
            float y = q.pivotY + dx * s + dy * c;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
    }
    out.left = static_cast<int>(std::floor(minX));
    out.top = static_cast<int>(std::floor(minY));
    out.width = static_cast<int>(std::ceil(maxX)) - out.left;
    out.height = static_cast<int>(std::ceil(maxY)) - out.top;
    out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height),
                      0u);
    const float toSourceX = static_cast<float>(q.sourceWidth) / w;
    const float toSourceY = static_cast<float>(q.sourceHeight) / h;
    // A texel of the source rectangle (the caller keeps tx, ty inside it).
    auto texel = [&](int tx, int ty) -> std::uint32_t {
        std::uint32_t p = q.pixels[static_cast<std::size_t>(q.sourceY + ty) *
                                       static_cast<std::size_t>(q.pictureWidth) +
                                   static_cast<std::size_t>(q.sourceX + tx)];
        return q.opaque ? p | 0xFF000000u : p;
    };
    // Smooth sampling reads each texel premultiplied about four times per
    // pixel it covers: a rectangle of ordinary size is premultiplied once.
    std::vector<Premultiplied> premultiplied;
    const auto sourceArea =
        static_cast<std::size_t>(q.sourceWidth) * static_cast<std::size_t>(q.sourceHeight);
    if (q.smooth && sourceArea <= kMaxPremultipliedTexels) {
        premultiplied.reserve(sourceArea);
        for (int ty = 0; ty < q.sourceHeight; ++ty) {
            for (int tx = 0; tx < q.sourceWidth; ++tx) {
                premultiplied.push_back(premultiply(texel(tx, ty)));
            }
        }
    }
    // Edge texels stretch to the rectangle's border instead of fading out.
    auto clampedTexel = [&](int tx, int ty) {
        tx = std::clamp(tx, 0, q.sourceWidth - 1);
        ty = std::clamp(ty, 0, q.sourceHeight - 1);
        if (!premultiplied.empty()) {
            return premultiplied[static_cast<std::size_t>(ty) *
                                     static_cast<std::size_t>(q.sourceWidth) +
                                 static_cast<std::size_t>(tx)];
        }
        return premultiply(texel(tx, ty));
    };
    for (int j = 0; j < out.height; ++j) {
        for (int i = 0; i < out.width; ++i) {
            // This pixel's centre, turned back into the unturned rectangle.
            float dx = static_cast<float>(out.left + i) + 0.5f - q.pivotX;
            float dy = static_cast<float>(out.top + j) + 0.5f - q.pivotY;
            float u = dx * c + dy * s + q.centreX;
            float v = -dx * s + dy * c + q.centreY;
            if (u < 0.0f || v < 0.0f || u >= w || v >= h) {
                continue;
            }
            if (q.mirrorX) {
                u = w - u;
            }
            if (q.mirrorY) {
                v = h - v;
            }
            float sx = u * toSourceX;
            float sy = v * toSourceY;
            std::uint32_t& target = out.pixels[static_cast<std::size_t>(j * out.width + i)];
            if (!q.smooth) {
                target = texel(std::min(static_cast<int>(sx), q.sourceWidth - 1),
                               std::min(static_cast<int>(sy), q.sourceHeight - 1));
                continue;
            }
            // Bilinear between the four nearest texel centres, premultiplied so
            // that transparent texels lend no colour.
            float fx = sx - 0.5f;
            float fy = sy - 0.5f;
            int x0 = static_cast<int>(std::floor(fx));
            int y0 = static_cast<int>(std::floor(fy));
            float ax = fx - static_cast<float>(x0);
            float ay = fy - static_cast<float>(y0);
            const Premultiplied p00 = clampedTexel(x0, y0);
            const Premultiplied p10 = clampedTexel(x0 + 1, y0);
            const Premultiplied p01 = clampedTexel(x0, y0 + 1);
            const Premultiplied p11 = clampedTexel(x0 + 1, y0 + 1);
            auto mix = [&](float Premultiplied::*channel) {
                float top = p00.*channel + (p10.*channel - p00.*channel) * ax;
                float bottom = p01.*channel + (p11.*channel - p01.*channel) * ax;
                return top + (bottom - top) * ay;
            };
            target = unpremultiply(Premultiplied{mix(&Premultiplied::a), mix(&Premultiplied::r),
                                                 mix(&Premultiplied::g), mix(&Premultiplied::b)});
        }
    }
    return out;
}

}  // namespace veru::platform
