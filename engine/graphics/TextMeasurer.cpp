#include "engine/graphics/TextMeasurer.h"

#include "engine/platform/text/FontFace.h"

namespace veru::dxt {

TextMeasurer::TextMeasurer(const FontSpec& s) : spec(s) {}

int TextMeasurer::textWidth(const YString& text) const {
    platform::FontFace* face = spec.font();
    if (!face) {
        return -1;
    }
    int width = 0;
    for (char32_t c : platform::toCodePoints(text)) {
        width += face->advance(c);
    }
    return width;
}

int TextMeasurer::lineHeight() const {
    platform::FontFace* face = spec.font();
    return face ? face->lineHeight() : -1;
}

}  // namespace veru::dxt
