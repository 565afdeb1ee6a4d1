#pragma once
// Color: a validated RGBA colour, each component 0..255.
//
// Failure: the component constructors throw IllegalArgumentException when a
// component lies outside 0..255 (red, green, blue, then alpha are tested).
// A packed value is taken apart without checks.

#include <cstdint>

namespace veru::dxt {

class Color {
  public:
    // Opaque black.
    Color() = default;
    Color(int red, int green, int blue, int alpha);
    // Opaque.
    Color(int red, int green, int blue);
    // From alpha << 24 | red << 16 | green << 8 | blue.
    static Color fromPacked(std::uint32_t argb);

    std::uint32_t pack() const;
    int getRed() const { return red; }
    int getGreen() const { return green; }
    int getBlue() const { return blue; }
    int getAlpha() const { return alpha; }
    bool operator==(const Color&) const = default;

  private:
    int red = 0;
    int green = 0;
    int blue = 0;
    int alpha = 255;
};

}  // namespace veru::dxt
