#include "engine/adventure/SentenceDisplay.h"

#include <algorithm>

#include "engine/adventure/TalkArea.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"
#include "engine/platform/text/FontFace.h"

namespace veru::adv {

namespace {

constexpr char16_t kCellReference = u'＠';
constexpr int kLineGap = 5;

// Draws one glyph's grey levels as white with `alpha` into an ARGB picture.
void blitGlyph(const platform::GlyphImage& g, int penX, int baseline, int alpha,
               std::vector<std::uint32_t>& pixels, int width, int height) {
    platform::forEachGlyphPixel(g, penX, baseline, [&](int px, int py, int level) {
        if (px < 0 || px >= width || py < 0 || py >= height)
            return;
        const int a = level * 255 / 16 * alpha / 255;
        std::uint32_t& dst = pixels[static_cast<std::size_t>(py * width + px)];
        const int old = static_cast<int>(dst >> 24);
        dst = (static_cast<std::uint32_t>(std::max(old, a)) << 24) | 0x00FFFFFFu;
    });
}

}  // namespace

SentenceDisplay::SentenceDisplay(platform::VideoDevice* device, TalkArea* talkArea)
    : font(fontFace, fontSize), device(device), talkArea(talkArea) {
    textFace = language == Language::english ? YString(kEnglishTextFace) : fontFace;
    marker = std::make_unique<dxt::material::Texture>();
    dxt::DirectGraphics::drawAntiAliasingString(device, marker.get(), u"▼", font, 0xFFFFFFFFu, 0);
    setSpeed(90);
    if (talkArea)
        setPosition(talkArea->getX() + 200, talkArea->getY() + 25);
}

SentenceDisplay::~SentenceDisplay() = default;

void SentenceDisplay::setSpeed(int percent) {
    if (percent == 100) {
        instant = true;
    } else {
        delay = 9 - percent / 10;
        instant = false;
    }
    frameCounter = 0;
}

void SentenceDisplay::reset() {
    mode = kIdle;
    step = 0;
    frameCounter = 0;
    markerOn = false;
    speaker.clear();
    text.clear();
    lines.clear();
    glyphs.clear();
    picture.reset();
}

void SentenceDisplay::setSentence(const YString& newSpeaker, const YString& newText, int size,
                                  bool newFadeIn, bool newInstant) {
    reset();
    const bool english = language == Language::english;
    if (newSpeaker == u"null")
        speaker = YString();
    else
        speaker = english ? newSpeaker : YString(u"【") + newSpeaker + u"】";
    text = newText;
    textSize = size;
    fadeIn = newFadeIn;
    instant = newInstant;
    platform::FontFace* face = english ? faceOfSize(size) : nullptr;
    proportional = face != nullptr;
    // English wraps at words within the width of the Japanese grid.
    const SentenceLayout layout =
        proportional ? SentenceLayout(
                           text, size, instant, [face](char16_t c) { return face->advance(c); },
                           SentenceLayout::kProportionalWidth)
                     : SentenceLayout(text, size, instant);
    glyphs = layout.getGlyphs();
    lines = layout.getLines();
    mode = kTyping;
    rebuildPicture();
}

bool SentenceDisplay::lastGlyphVisible() const {
    return glyphs.empty() || glyphs.back().alpha >= 255;
}

bool SentenceDisplay::update(int buttons) {
    switch (mode) {
        case kTyping: {
            if (buttons != 0 && !lastGlyphVisible()) {
                for (auto& g : glyphs)
                    g.alpha = 255;
                rebuildPicture();
                return false;
            }
            const int previous = frameCounter++;
            if (previous != delay)
                return false;
            frameCounter = 0;
            if (lastGlyphVisible()) {
                mode = kWaiting;
                step = 0;
            }
            for (std::size_t i = 0; i < glyphs.size() && static_cast<int>(i) < step; ++i) {
                auto& g = glyphs[i];
                if (g.alpha >= 255)
                    continue;
                g.alpha = fadeIn ? std::min(255, g.alpha + 30) : 255;
            }
            step += 1;
            rebuildPicture();
            break;
        }
        case kWaiting: {
            if (step++ == 19) {
                step = 0;
                markerOn = !markerOn;
            }
            if (buttons != advanceButton) {
                waitLatch = false;
            } else if (!waitLatch) {
                waitLatch = true;
                step = 0;
                mode = kFadingOut;
            }
            if (buttons == skipButton) {
                step = 0;
                mode = kFadingOut;
            }
            break;
        }
        case kFadingOut:
            if (step < 255) {
                step = std::min(255, step + 50);
            } else {
                reset();
            }
            break;
        default:
            break;
    }
    return mode == kIdle;
}

platform::FontFace* SentenceDisplay::faceOfSize(int size) {
    auto it = fonts.find(size);
    if (it == fonts.end())
        it = fonts.emplace(size, dxt::FontSpec(textFace, size)).first;
    return it->second.font();
}

const platform::GlyphImage* SentenceDisplay::glyphOf(char32_t c, int size) {
    const auto key = std::make_pair(size, c);
    auto it = glyphCache.find(key);
    if (it == glyphCache.end()) {
        auto image = std::make_unique<platform::GlyphImage>();
        platform::FontFace* face = faceOfSize(size);
        if (!face || !face->glyph(c, *image))
            image.reset();
        it = glyphCache.emplace(key, std::move(image)).first;
    }
    return it->second.get();
}

int SentenceDisplay::cellWidth() {
    // The proportional face has no "＠"; its lines are as wide as the grid's.
    platform::FontFace* face = proportional ? nullptr : faceOfSize(textSize);
    return face ? std::max(1, face->advance(kCellReference)) : textSize;
}

int SentenceDisplay::penOf(const SentenceLayout::Glyph& g, int cell) const {
    return proportional ? g.x : g.column * cell;
}

int SentenceDisplay::lineTop(int line) const {
    // The name stands on the first line; the sentence's lines follow, each
    // one text height and a small gap below the one before.
    return fontSize + kLineGap + line * (textSize + kLineGap);
}

void SentenceDisplay::rebuildPicture() {
    platform::FontFace* nameFace = faceOfSize(fontSize);
    platform::FontFace* sentenceFace = faceOfSize(textSize);
    if (!nameFace || !sentenceFace) {
        picture.reset();
        return;
    }
    const int cell = cellWidth();
    const int lineCount = std::max<int>(1, static_cast<int>(lines.size()));
    const int width = std::max(SentenceLayout::kColumns * cell + cell, 400);
    const int height = lineTop(lineCount) + kLineGap;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), 0x00FFFFFFu);

    // The glyphs are rasterised once and reused while the sentence is typed
    // out, since the picture is rebuilt on every reveal step.
    int pen = 0;
    for (char32_t c : platform::toCodePoints(speaker)) {
        if (const platform::GlyphImage* image = glyphOf(c, fontSize)) {
            blitGlyph(*image, pen, nameFace->ascent(), 255, pixels, width, height);
            pen += image->advance;
        }
    }
    for (const auto& g : glyphs) {
        if (g.alpha <= 0 || g.character == u' ' || g.character == u'　')
            continue;
        const platform::GlyphImage* image = glyphOf(g.character, textSize);
        if (!image)
            continue;
        blitGlyph(*image, penOf(g, cell), lineTop(g.line) + sentenceFace->ascent(), g.alpha, pixels,
                  width, height);
    }
    if (!picture)
        picture = std::make_unique<dxt::material::Texture>();
    picture->createFromPixels(width, height, device, pixels.data());
}

void SentenceDisplay::draw(dxt::DirectGraphics& graphics) {
    if (!talkArea || !talkArea->isShown() || !picture)
        return;
    if (mode == kTyping || mode == kWaiting) {
        picture->setAlpha(255);
        graphics.drawSprite(picture.get(), x, y);
        if (mode == kWaiting && markerOn && !glyphs.empty() && marker) {
            const int cell = cellWidth();
            const auto& last = glyphs.back();
            const int mx = x + penOf(last, cell) + 2 * fontSize;
            const int my = y + lineTop(last.line);
            graphics.drawSprite(marker.get(), 0, mx + 1, my + 1, 1.0f, 1.0f, 0, 0, 0xFF000000u);
            graphics.drawSprite(marker.get(), 0, mx, my, 1.0f, 1.0f, 0, 0, 0xFFFFFFFFu);
        }
    } else if (mode == kFadingOut) {
        picture->setAlpha(255 - step);
        graphics.drawSprite(picture.get(), x, y);
    }
}

}  // namespace veru::adv
