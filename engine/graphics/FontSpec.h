#pragma once
// FontSpec: which font text is drawn with — face name, height in pixels,
// style flags and escapement — and the font made from it.
//
// The font is made on first use and kept; changing the face, size, style or
// escapement drops it.
// Copies share nothing: a copy makes its own font when it needs one.
//
// Ownership: owns the font it made.
// Thread: main thread only.
// Failure: font() returns null when no face could be opened, shows the reason
// in an error box once per run, and does not look again until the face,
// size or style changes.

#include <memory>

#include "engine/core/YString.h"

namespace veru::platform {
class FontFace;
}

namespace veru::dxt {

class FontSpec {
  public:
    // Style flags.
    static constexpr int styleLight = 2;  // weight 300
    static constexpr int styleBold = 4;   // weight 700
    static constexpr int styleItalic = 8;
    static constexpr int styleUnderline = 16;
    static constexpr int styleStrikeOut = 32;
    static constexpr int maxFaceLength = 32;  // longer face names are cut

    // "default", size 20.
    FontSpec();
    FontSpec(const YString& face, int size, int style = 0, int escapement = 0);
    ~FontSpec();
    FontSpec(const FontSpec& other);
    FontSpec& operator=(const FontSpec& other);

    void setFace(const YString& face);
    void setSize(int size);
    void setStyle(int style);
    void setEscapement(int escapement);

    const YString& getFace() const { return face; }
    int getSize() const { return size; }
    int getStyle() const { return style; }
    int getEscapement() const { return escapement; }

    // The font for these settings, made on first call; null when none could be made.
    platform::FontFace* font() const;

  private:
    int size = 20;
    int style = 0;
    int escapement = 0;  // tenths of a degree
    // Forgets the font made (or the failure to make it) after a change.
    void dropFont();

    mutable std::unique_ptr<platform::FontFace> made;
    mutable bool failed = false;
    YString face;
};

}  // namespace veru::dxt
