// mlgfxdemo: draws one frame of everything the drawing layer offers, without
// a display, and writes it as a PNG. A living example of the drawing calls.
//
//   mlgfxdemo [OUT.png]     (default: mlgfxdemo.png)
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/effects/MotionBlur.h"
#include "engine/effects/MultiRandomParticle.h"
#include "engine/exceptions/Exception.h"
#include "engine/graphics/BlendMode.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/io/ByteFileWriter.h"
#include "engine/material/Surface.h"
#include "engine/material/Texture.h"
#include "engine/platform/image/Image.h"
#include "engine/platform/video/VideoDevice.h"

using namespace veru;
using dxt::DirectGraphics;
using dxt::material::Texture;

namespace {

std::uint32_t argb(int a, int r, int g, int b) {
    return static_cast<std::uint32_t>(a) << 24 | static_cast<std::uint32_t>(r) << 16 |
           static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}

// A soft round glow, white in the middle, light on black.
std::vector<std::uint32_t> glowPixels(int size, int r, int g, int b) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size);
    double c = (size - 1) / 2.0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double d = std::hypot(x - c, y - c) / (size / 2.0);
            double a = std::max(0.0, 1.0 - d);
            double w = std::max(0.0, 1.0 - 3.0 * d);
            // Light on black: the colour fades with the alpha, so the glow
            // looks the same blended and added (additive draws ignore alpha).
            double k = a * a;
            pixels[y * size + x] =
                argb(static_cast<int>(255 * k), static_cast<int>((r + (255 - r) * w) * k),
                     static_cast<int>((g + (255 - g) * w) * k),
                     static_cast<int>((b + (255 - b) * w) * k));
        }
    }
    return pixels;
}

// A small ship pointing right: a wedge with a cockpit, 32 x 32.
std::vector<std::uint32_t> shipPixels() {
    std::vector<std::uint32_t> pixels(32 * 32, 0);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            int dy = std::abs(y - 16);
            if (x >= 2 && dy <= (30 - x) / 2) {
                bool cockpit = std::hypot(x - 16, y - 16) < 4;
                bool edge = dy >= (30 - x) / 2 - 1;
                pixels[y * 32 + x] = cockpit ? argb(255, 120, 230, 255)
                                     : edge  ? argb(255, 30, 60, 140)
                                             : argb(255, 90 + x * 4, 110 + x * 3, 200);
            }
        }
    }
    return pixels;
}

std::unique_ptr<Texture> textureFrom(platform::VideoDevice* device, int w, int h,
                                     const std::vector<std::uint32_t>& pixels) {
    auto t = std::make_unique<Texture>();
    t->createFromPixels(w, h, device, pixels.data());
    return t;
}

std::unique_ptr<Texture> text(platform::VideoDevice* device, const YString& s, int size,
                              std::uint32_t colour, int style = 0) {
    auto t = std::make_unique<Texture>();
    DirectGraphics::drawAntiAliasingString(device, t.get(), s,
                                           dxt::FontSpec(u"ＭＳ ゴシック", size, style), colour, 4);
    return t;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    std::string out = argc > 1 ? argv[1] : "mlgfxdemo.png";
    std::string error;
    auto device = platform::VideoDevice::create(nullptr, 800, 600, error);
    if (!device) {
        std::fprintf(stderr, "mlgfxdemo: no video device: %s\n", error.c_str());
        return 1;
    }
    platform::VideoDevice* dev = device.get();
    try {
        // The background: a night sky written as a picture file and loaded as a surface.
        platform::Image sky;
        sky.width = 800;
        sky.height = 600;
        sky.pixels.resize(800 * 600);
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                int star = ((x * 7919 + y * 104729) % 997 == 0) ? 180 : 0;
                sky.pixels[y * 800 + x] =
                    argb(255, std::min(255, 10 + y / 12 + star), std::min(255, 14 + y / 10 + star),
                         std::min(255, 40 + y / 5 + star));
            }
        }
        std::vector<std::uint8_t> skyPng;
        platform::encodePng(sky, skyPng, false);
        std::filesystem::path skyPath =
            std::filesystem::temp_directory_path() / "mlgfxdemo_sky.png";
        if (!writeFile(skyPath.string(), skyPng)) {
            std::fprintf(stderr, "mlgfxdemo: cannot write %s\n", skyPath.string().c_str());
            return 1;
        }
        dxt::material::Surface surface;
        surface.load(YString::fromUtf8(skyPath.string()), dev);
        std::filesystem::remove(skyPath);

        auto ship = textureFrom(dev, 32, 32, shipPixels());
        auto glow = textureFrom(dev, 32, 32, glowPixels(32, 255, 120, 40));
        auto spark = textureFrom(dev, 16, 16, glowPixels(16, 80, 160, 255));
        auto red =
            textureFrom(dev, 48, 48, std::vector<std::uint32_t>(48 * 48, argb(160, 230, 40, 60)));

        DirectGraphics g(dev);
        dev->clear(0xFF000000u);
        g.copySurface(&surface);

        // Title in Japanese, anti-aliased.
        auto title = text(dev, u"MIRELUNE 体験版\n描画デモ — スプライト・四角形・粒子・残像", 23,
                          0xFFFFF4C0u);
        g.startSprite();
        g.drawSprite(title.get(), 0, 24, 16, 1.0f, 1.0f, 0, 0, 0xFFFFFFFFu);

        // Sprites: plain, centred, turned, scaled, half transparent.
        auto label = [&](const YString& s, int x, int y) {
            auto t = text(dev, s, 15, 0xFFB0C8FFu);
            g.drawSprite(t.get(), 0, x, y, 1.0f, 1.0f, 0, 0, 0xFFFFFFFFu);
            return t;
        };
        std::vector<std::unique_ptr<Texture>> labels;
        labels.push_back(label(u"そのまま", 30, 96));
        g.drawSprite(ship.get(), 40, 120);
        labels.push_back(label(u"中心指定", 130, 96));
        g.setCentred(true);
        g.drawSprite(ship.get(), 160, 136);
        labels.push_back(label(u"回転 30°・90°", 225, 96));
        g.drawSprite(ship.get(), 30, 250, 136, 1.0f, 1.0f, 16, 16, 0xFFFFFFFFu);
        g.drawSprite(ship.get(), 90, 300, 136, 1.0f, 1.0f, 16, 16, 0xFFFFFFFFu);
        labels.push_back(label(u"拡大 ×2", 370, 96));
        g.drawSprite(ship.get(), 400, 150, 2.0f, 2.0f);
        labels.push_back(label(u"半透明", 480, 96));
        ship->setAlpha(128);
        g.drawSprite(ship.get(), 510, 136);
        ship->setAlpha(255);
        g.drawSprite(ship.get(), 0, 580, 136, 1.0f, 1.0f, 16, 16, 0x80FFFFFFu);
        g.setCentred(false);
        g.endSprite();

        // Quads in every blend mode, overlapping a bar so the blending shows.
        const struct {
            int mode;
            const char16_t* name;
        } modes[] = {{dxt::BlendAlphaSmooth, u"Smooth"},
                     {dxt::BlendAlphaPoint, u"Point"},
                     {dxt::BlendAdd, u"Add"},
                     {dxt::BlendAlphaModulate, u"Modulate"},
                     {dxt::BlendOpaque, u"Opaque"}};
        auto bar = textureFrom(dev, 700, 20,
                               std::vector<std::uint32_t>(700 * 20, argb(255, 60, 200, 120)));
        g.drawQuad(bar.get(), 40.0f, 255.0f, 1.0f, 1.0f, 0, dxt::BlendOpaque);
        g.startSprite();
        labels.push_back(label(u"合成モード（四角形）", 30, 210));
        for (int i = 0; i < 5; ++i) {
            labels.push_back(label(modes[i].name, 50 + i * 140, 320));
        }
        g.endSprite();
        for (int i = 0; i < 5; ++i) {
            g.queueQuad(red.get(), 50.0f + i * 140, 240.0f, 1.0f, 1.0f, 0, modes[i].mode);
            g.queueQuad(glow.get(), 110.0f + i * 140, 250.0f, 1.5f, 1.5f, 20, modes[i].mode);
        }
        g.flushQuads();

        // A particle burst and a motion trail.
        dxt::effect2D::MultiRandomParticle burst(1 | 2 | 4 | 8);
        burst.setTexture(spark.get());
        burst.setEmission(40, 12, 3);
        burst.setup(200, 460, 0.5, 3.0, 0.5, 3.0, 0.0, 0.05, 0.5f, 1.5f);
        burst.setFade(6, 30, 20, 0.03f);
        for (int i = 0; i < 30; ++i) {
            burst.update();
        }
        dxt::effect2D::MotionBlur trail(8, 2);
        trail.createCopies(glow.get(), 60, 0);
        trail.launchAll(420, 520, 5.0, -2.5, 0.0, 0.08);
        for (int i = 0; i < 26; ++i) {
            trail.update();
        }
        g.startSprite();
        labels.push_back(label(u"粒子（加算）", 150, 360));
        labels.push_back(label(u"残像", 480, 360));
        labels.push_back(label(u"あいうえお　漢字かな交じり文 ABC 123", 300, 570));
        g.endSprite();
        burst.draw(g);
        trail.draw(g);
        g.flushQuads();

        // The same ship queued as a sprite: queues keep insertion order.
        g.setCentred(true);
        for (int i = 0; i < 6; ++i) {
            g.queueSprite(ship.get(), 640 + i * 18, 470 + (i % 2) * 10, i * 60);
        }
        g.flushSprites();
    } catch (const excp::Exception& e) {
        std::fprintf(stderr, "mlgfxdemo: %s\n", e.getMessage().toUtf8().c_str());
        return 1;
    }

    platform::Image frame;
    if (!dev->readPixels(frame.pixels, frame.width, frame.height)) {
        std::fprintf(stderr, "mlgfxdemo: cannot read the frame back\n");
        return 1;
    }
    std::vector<std::uint8_t> png;
    if (!platform::encodePng(frame, png, false) || !writeFile(out, png)) {
        std::fprintf(stderr, "mlgfxdemo: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("mlgfxdemo: wrote %s (%dx%d, renderer %s)\n", out.c_str(), frame.width,
                frame.height, dev->rendererName().c_str());
    return 0;
}
