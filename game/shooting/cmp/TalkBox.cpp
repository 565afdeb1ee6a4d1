#include "game/shooting/cmp/TalkBox.h"

#include <algorithm>

#include "engine/adventure/SentenceLayout.h"
#include "engine/core/Language.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/graphics/FontSpec.h"
#include "engine/graphics/TextMeasurer.h"
#include "engine/input/ButtonMap.h"
#include "engine/material/Texture.h"

namespace ml::shooting::cmp {

using veru::YString;
using veru::dxt::material::Texture;

TalkBox::TalkBox(veru::platform::VideoDevice* d, int w, int h, bool s)
    : side(s),
      viewWidth(w),
      viewHeight(h),
      device(d),
      english(veru::currentLanguage() == veru::Language::english),
      font(english ? veru::YString(veru::kEnglishTextFace) : veru::dxt::FontSpec().getFace(),
           kFontSize),
      measurer(std::make_unique<veru::dxt::TextMeasurer>(font)) {
    auto box = std::make_unique<Texture>();
    box->load(side ? kPlayerBoxPath : kOtherBoxPath, device);
    boxTexture = std::move(box);
    int bw = boxTexture->getWidth();
    int bh = boxTexture->getHeight();
    if (side) {
        boxX = viewWidth - bw - 100;
        textX = viewWidth - bw - 80;
    } else {
        boxX = 100;
        textX = 120;
    }
    boxY = viewHeight - bh - 10;
    textY = (viewHeight + bh - 24) >> 1;
    boxX += bw / 2;
    boxY += bh / 2;
}

TalkBox::~TalkBox() = default;

int TalkBox::roomWidth() const {
    int bw = boxTexture->getWidth();
    // The text keeps the same margin to the balloon's right edge as to its left one.
    int right = boxX + bw / 2 - (textX - (boxX - bw / 2));
    return right - textX;
}

YString TalkBox::wrappedWords(const YString& text) const {
    const veru::adv::SentenceLayout layout(
        text, kFontSize, true,
        [this](char16_t c) { return measurer->textWidth(YString(std::u16string(1, c))); },
        roomWidth());
    YString out;
    int line = 0;
    for (const auto& glyph : layout.getGlyphs()) {
        for (; line < glyph.line; ++line)
            out.push_back(u'\n');
        out.push_back(glyph.character);
    }
    return out;
}

YString TalkBox::fitted(const YString& text) const {
    int bh = boxTexture->getHeight();
    int bottom = boxY + bh / 2;
    int roomWidth = this->roomWidth();
    int roomHeight = bottom - textY;
    YString out;
    int lines = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find(u'\n', start);
        std::size_t stop = end == std::u16string::npos ? text.size() : end;
        int linesHeight = (lines + 1) * kFontSize + lines * kLineGap;
        if (lines > 0 && linesHeight > roomHeight) {
            break;
        }
        if (lines > 0) {
            out.push_back(u'\n');
        }
        int width = 0;
        for (std::size_t i = start; i < stop;) {
            // A surrogate pair is one character: measured and kept whole.
            std::size_t units = (text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < stop) ? 2 : 1;
            std::u16string_view character(text.data() + i, units);
            int advance = measurer->textWidth(YString(character));
            if (i > start && width + advance > roomWidth) {
                break;
            }
            width += std::max(advance, 0);
            out.append(YString(character));
            i += units;
        }
        ++lines;
        if (end == std::u16string::npos) {
            break;
        }
        start = end + 1;
    }
    return out;
}

void TalkBox::setTextAlpha(int value) {
    textAlpha = std::clamp(value, 0, 255);
    if (textTexture) {
        textTexture->setAlpha(textAlpha);
    }
}

void TalkBox::setText(const YString& text) {
    textTexture.reset();
    shownText.clear();
    state = STATE_IDLE;
    if (text.empty()) {
        return;
    }
    shownText = fitted(english ? wrappedWords(text) : text.replaceAll(u"+", u"\n"));
    auto made = std::make_unique<Texture>();
    if (!veru::dxt::DirectGraphics::drawAntiAliasingString(device, made.get(), shownText, font,
                                                           kTextColour, kLineGap)) {
        return;
    }
    textTexture = std::move(made);
    setTextAlpha(0);
    state = STATE_FADING_IN;
}

void TalkBox::clear() {
    state = STATE_IDLE;
    textTexture.reset();
    shownText.clear();
}

bool TalkBox::update(int buttons) {
    using veru::dxt::event::ButtonMap;
    switch (state) {
        case STATE_FADING_IN:
            setTextAlpha(textAlpha + kFadeStep);
            if (textAlpha >= 255) {
                state = STATE_WAITING;
            }
            break;
        case STATE_WAITING:
            if (ButtonMap::global().held(ButtonMap::kShoot, buttons)) {
                state = STATE_FADING_OUT;
            }
            break;
        case STATE_FADING_OUT:
            setTextAlpha(textAlpha - kFadeStep);
            if (textAlpha <= 0) {
                state = STATE_IDLE;
            }
            break;
        default:
            break;
    }
    return state == STATE_IDLE;
}

void TalkBox::draw(veru::dxt::DirectGraphics& graphics) {
    if (!textTexture) {
        return;
    }
    graphics.queueSprite(boxTexture.get(), boxX, boxY);
    textTexture->setAlpha(textAlpha);
    graphics.queueSprite(textTexture.get(), textX + textTexture->getWidth() / 2,
                         textY + textTexture->getHeight() / 2);
}

}  // namespace ml::shooting::cmp
