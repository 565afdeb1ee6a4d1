#include "engine/platform/video/TurnedPicture.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if !defined(__SSE2__)
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
#endif

// Bilinear between four premultiplied texels (weights `ax` across, `ay`
// down), back to straight ARGB. The four channels go through the same float
// steps in either version, so both give the same bits.
[[gnu::always_inline]] inline std::uint32_t mixFour(const Premultiplied& p00,
                                                    const Premultiplied& p10,
                                                    const Premultiplied& p01,
                                                    const Premultiplied& p11, float ax, float ay) {
    // Transparent all round (much of a spark's or an explosion's square).
    if (p00.a == 0.0f && p10.a == 0.0f && p01.a == 0.0f && p11.a == 0.0f) {
        return 0;
    }
#if defined(__SSE2__)
    const __m128 q00 = _mm_loadu_ps(&p00.a);
    const __m128 q10 = _mm_loadu_ps(&p10.a);
    const __m128 q01 = _mm_loadu_ps(&p01.a);
    const __m128 q11 = _mm_loadu_ps(&p11.a);
    const __m128 across = _mm_set1_ps(ax);
    const __m128 top = _mm_add_ps(q00, _mm_mul_ps(_mm_sub_ps(q10, q00), across));
    const __m128 bottom = _mm_add_ps(q01, _mm_mul_ps(_mm_sub_ps(q11, q01), across));
    const __m128 c = _mm_add_ps(top, _mm_mul_ps(_mm_sub_ps(bottom, top), _mm_set1_ps(ay)));
    const float a = _mm_cvtss_f32(c);
    if (a < 0.5f) {
        return 0;
    }
    const float k = 255.0f / a;
    // b, g, r, a from the lowest lane up, so that the packed bytes read as ARGB.
    __m128 v =
        _mm_mul_ps(_mm_shuffle_ps(c, c, _MM_SHUFFLE(0, 1, 2, 3)), _mm_setr_ps(k, k, k, 1.0f));
    v = _mm_min_ps(_mm_max_ps(v, _mm_setzero_ps()), _mm_set1_ps(256.0f));
    // Half away from zero: the whole part, one more where the fraction
    // (exact in a float) reaches one half; packing clamps to 255.
    __m128i whole = _mm_cvttps_epi32(v);
    const __m128 fraction = _mm_sub_ps(v, _mm_cvtepi32_ps(whole));
    whole = _mm_sub_epi32(whole, _mm_castps_si128(_mm_cmpge_ps(fraction, _mm_set1_ps(0.5f))));
    const __m128i words = _mm_packs_epi32(whole, whole);
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
#else
    auto mix = [&](float Premultiplied::*channel) {
        float top = p00.*channel + (p10.*channel - p00.*channel) * ax;
        float bottom = p01.*channel + (p11.*channel - p01.*channel) * ax;
        return top + (bottom - top) * ay;
    };
    return unpremultiply(Premultiplied{mix(&Premultiplied::a), mix(&Premultiplied::r),
                                       mix(&Premultiplied::g), mix(&Premultiplied::b)});
#endif
}

// floor() for the coordinates of a picture (well within an int).
int floorToInt(float value) {
    const int whole = static_cast<int>(value);
    return static_cast<float>(whole) > value ? whole - 1 : whole;
}

// Narrows [first, last] to the pixels of a row that may fall inside the
// turned rectangle: the unturned coordinates are straight lines along the
// row, solved here in doubles and widened by a pixel each side, so that the
// exact test per pixel still decides. `left` and `dy` are the row's first
// pixel centre relative to the pivot.
void rowInside(double left, double dy, float c, float s, const TurnRequest& q, int& first,
               int& last) {
    auto narrow = [&](double slope, double start, double limit) {
        // start + slope * i must lie in [0, limit).
        constexpr double kFlat = 1e-9;
        if (std::abs(slope) < kFlat) {
            if (start < -1.0 || start > limit + 1.0) {
                first = 1;
                last = 0;
            }
            return;
        }
        double a = (0.0 - start) / slope;
        double b = (limit - start) / slope;
        if (a > b) {
            std::swap(a, b);
        }
        const double from = std::max(static_cast<double>(first), std::floor(a) - 1.0);
        const double to = std::min(static_cast<double>(last), std::ceil(b) + 1.0);
        first = static_cast<int>(from);
        last = to < from ? first - 1 : static_cast<int>(to);
    };
    const double cd = c;
    const double sd = s;
    narrow(cd, left * cd + dy * sd + q.centreX, q.width);
    if (first <= last) {
        narrow(-sd, -left * sd + dy * cd + q.centreY, q.height);
    }
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
    const int lastX = q.sourceWidth - 1;
    const int lastY = q.sourceHeight - 1;
    for (int j = 0; j < out.height; ++j) {
        const float dy = static_cast<float>(out.top + j) + 0.5f - q.pivotY;
        int first = 0;
        int last = out.width - 1;
        rowInside(static_cast<double>(out.left) + 0.5 - static_cast<double>(q.pivotX),
                  static_cast<double>(dy), c, s, q, first, last);
        for (int i = first; i <= last; ++i) {
            // This pixel's centre, turned back into the unturned rectangle.
            float dx = static_cast<float>(out.left + i) + 0.5f - q.pivotX;
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
                target = texel(std::min(static_cast<int>(sx), lastX),
                               std::min(static_cast<int>(sy), lastY));
                continue;
            }
            // Bilinear between the four nearest texel centres, premultiplied so
            // that transparent texels lend no colour.
            float fx = sx - 0.5f;
            float fy = sy - 0.5f;
            int x0 = floorToInt(fx);
            int y0 = floorToInt(fy);
            float ax = fx - static_cast<float>(x0);
            float ay = fy - static_cast<float>(y0);
            if (!premultiplied.empty() && x0 >= 0 && y0 >= 0 && x0 < lastX && y0 < lastY) {
                // Inside the rectangle: the four texels without clamping.
                const Premultiplied* p =
                    premultiplied.data() + static_cast<std::ptrdiff_t>(y0) * q.sourceWidth + x0;
                target = mixFour(p[0], p[1], p[q.sourceWidth], p[q.sourceWidth + 1], ax, ay);
                continue;
            }
            target = mixFour(clampedTexel(x0, y0), clampedTexel(x0 + 1, y0),
                             clampedTexel(x0, y0 + 1), clampedTexel(x0 + 1, y0 + 1), ax, ay);
        }
    }
    return out;
}

}  // namespace veru::platform
