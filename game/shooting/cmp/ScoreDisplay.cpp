#include "game/shooting/cmp/ScoreDisplay.h"

#include <climits>
#include <cstdint>

#include "engine/graphics/DirectGraphics.h"
#include "engine/graphics/FontSpec.h"
#include "engine/material/Texture.h"

namespace ml::shooting::cmp {

using veru::dxt::DirectGraphics;
using veru::dxt::material::Texture;

ScoreDisplay::ScoreDisplay() = default;

ScoreDisplay::~ScoreDisplay() = default;

veru::YString ScoreDisplay::digitsOf(int value) {
    veru::YString digits;
    for (int limit : {10, 100, 1000, 10000, 100000, 1000000, 10000000}) {
        if (value < limit) {
            digits.append(u"0");
        }
    }
    digits.append(value);
    return digits;
}

bool ScoreDisplay::load(veru::platform::VideoDevice* device) {
    veru::dxt::FontSpec spec(veru::dxt::FontSpec().getFace(), kFontSize);
    auto made = std::make_unique<Texture>();
    bool ok = DirectGraphics::drawAntiAliasingString(device, made.get(), label, spec, kColour, 0);
    labelTexture = ok ? std::move(made) : nullptr;
    for (int d = 0; d < 10; ++d) {
        auto digit = std::make_unique<Texture>();
        bool drawn = DirectGraphics::drawAntiAliasingString(
            device, digit.get(), veru::YString::fromInt(d), spec, kColour, 0);
        ok = ok && drawn;
        digitTextures[static_cast<std::size_t>(d)] = drawn ? std::move(digit) : nullptr;
    }
    return ok;
}

void ScoreDisplay::setValue(int v) {
    target = shown = v;
    step = 0;
    text = digitsOf(shown);
}

void ScoreDisplay::takeStep() {
    std::int64_t distance = static_cast<std::int64_t>(target) - shown;
    std::int64_t s = distance >> 5;
    step = s == 0 ? 1 : static_cast<int>(s < INT_MIN ? INT_MIN : s);
}

void ScoreDisplay::addPoints(int n) {
    std::int64_t sum = static_cast<std::int64_t>(target) + n;
    target = static_cast<int>(sum > INT_MAX ? INT_MAX : (sum < INT_MIN ? INT_MIN : sum));
    takeStep();
}

void ScoreDisplay::setTarget(int v) {
    target = v;
    takeStep();
}

bool ScoreDisplay::update() {
    if (shown < target) {
        std::int64_t next = static_cast<std::int64_t>(shown) + (step > 0 ? step : 1);
        shown = next > target ? target : static_cast<int>(next);
        text = digitsOf(shown);
    }
    return false;
}

int ScoreDisplay::width() const {
    return (labelTexture ? labelTexture->getWidth() : 0) + 8 * kDigitAdvance;
}

void ScoreDisplay::draw(DirectGraphics& graphics) {
    if (!labelTexture) {
        return;
    }
    bool wasCentred = graphics.isCentred();
    graphics.setCentred(false);
    graphics.queueSprite(labelTexture.get(), x, y);
    int left = x + labelTexture->getWidth();
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        // A minus sign (a negative value read from a damaged settings file) has no picture.
        if (c < u'0' || c > u'9') {
            continue;
        }
        Texture* digit = digitTextures[static_cast<std::size_t>(c - u'0')].get();
        if (digit) {
            graphics.queueSprite(digit, left + kDigitAdvance * static_cast<int>(i), y);
        }
    }
    graphics.setCentred(wasCentred);
}

}  // namespace ml::shooting::cmp
