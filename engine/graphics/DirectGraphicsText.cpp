// DirectGraphics::drawAntiAliasingString: text rendered once into a texture.
#include <algorithm>
#include <vector>

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"
#include "engine/platform/text/FontFace.h"

namespace veru::dxt {

namespace {

struct LinePicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Alpha of grey level 1..16 for a colour of alpha `a`.
std::uint32_t levelAlpha(int level, int a) {
    if (level >= 16) {
        return static_cast<std::uint32_t>(a);
    }
    return static_cast<std::uint32_t>(static_cast<double>(a) / 255.0 *
                                      static_cast<double>((level * 255) >> 4));
}

LinePicture rasterise(platform::FontFace& face, const std::u32string& line, std::uint32_t colour) {
    LinePicture picture;
    picture.height = face.lineHeight();
    std::vector<platform::GlyphImage> glyphs(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (!face.glyph(line[i], glyphs[i])) {
            glyphs[i] = platform::GlyphImage{};
        }
        picture.width += glyphs[i].advance;
    }
    if (picture.width <= 0) {
        picture.width = 0;
        return picture;
    }
    picture.pixels.assign(static_cast<std::size_t>(picture.width) * picture.height, 0u);
    int alpha = static_cast<int>(colour >> 24);
    std::uint32_t rgb = colour & 0x00FFFFFFu;
    int cellLeft = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const platform::GlyphImage& g = glyphs[i];
        int cellWidth = g.advance;
        if (line[i] != U' ' && line[i] != U'\u3000') {
            // Pixels outside the character's own cell are dropped.
            platform::forEachGlyphPixel(g, 0, face.ascent(), [&](int x, int y, int level) {
                if (y < 0 || y >= picture.height || x < 0 || x >= cellWidth) {
                    return;
                }
                picture.pixels[static_cast<std::size_t>(y) * picture.width + cellLeft + x] =
                    levelAlpha(level, alpha) << 24 | rgb;
            });
        }
        cellLeft += cellWidth;
    }
    return picture;
}

}  // namespace

bool DirectGraphics::drawAntiAliasingString(platform::VideoDevice* device,
                                            material::Texture* texture, const YString& text,
                                            const FontSpec& spec, std::uint32_t colour,
                                            int lineGap) {
    if ((colour >> 24) == 0 || !texture) {
        return false;
    }
    platform::FontFace* face = spec.font();
    if (!face) {
        return false;
    }
    std::vector<LinePicture> lines;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find(u'\n', start);
        std::u16string_view part(text.data() + start,
                                 (end == std::u16string::npos ? text.size() : end) - start);
        lines.push_back(rasterise(*face, platform::toCodePoints(part), colour));
        if (end == std::u16string::npos) {
            break;
        }
        start = end + 1;
    }
    int width = 0;
    int height = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        width = std::max(width, lines[i].width);
        height += lines[i].height + (i > 0 ? lineGap : 0);
    }
    if (width <= 0 || height <= 0) {
        return false;
    }
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0u);
    int top = 0;
    for (const LinePicture& line : lines) {
        for (int row = 0; row < line.height && line.width > 0; ++row) {
            if (top + row < 0 || top + row >= height) {
                continue;
            }
            std::copy_n(line.pixels.data() + static_cast<std::size_t>(row) * line.width, line.width,
                        pixels.data() + static_cast<std::size_t>(top + row) * width);
        }
        top += line.height + lineGap;
    }
    return texture->createFromPixels(width, height, device, pixels.data());
}

}  // namespace veru::dxt
