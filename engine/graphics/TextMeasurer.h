#pragma once
// TextMeasurer: widths and line height of text in one font.
//
// Ownership: keeps its own copy of the FontSpec (and the font made from it).
// Thread: main thread only.
// Failure: both operations return -1 when the font could not be made.

#include "engine/core/YString.h"
#include "engine/graphics/FontSpec.h"

namespace veru::dxt {

class TextMeasurer {
  public:
    explicit TextMeasurer(const FontSpec& spec);

    // Width of `text` in pixels (the sum of the advances).
    int textWidth(const YString& text) const;
    // Height of "＠": the line height.
    int lineHeight() const;

  private:
    FontSpec spec;
};

}  // namespace veru::dxt
