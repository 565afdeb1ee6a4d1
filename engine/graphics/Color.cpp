#include "engine/graphics/Color.h"

#include "engine/exceptions/IllegalArgumentException.h"

namespace veru::dxt {

namespace {

void check(int value, const char16_t* message) {
    if (value < 0 || value > 255) {
        throw excp::IllegalArgumentException(message);
    }
}

}  // namespace

Color::Color(int r, int g, int b, int a) : red(r), green(g), blue(b), alpha(a) {
    check(r, u"赤成分が0～255の値でありません。");
    check(g, u"緑成分が0～255の値でありません。");
    check(b, u"青成分が0～255の値でありません。");
    check(a, u"α成分が0～255の値でありません。");
}

Color::Color(int r, int g, int b) : Color(r, g, b, 255) {}

Color Color::fromPacked(std::uint32_t argb) {
    Color c;
    c.alpha = static_cast<int>((argb >> 24) & 0xFF);
    c.red = static_cast<int>((argb >> 16) & 0xFF);
    c.green = static_cast<int>((argb >> 8) & 0xFF);
    c.blue = static_cast<int>(argb & 0xFF);
    return c;
}

std::uint32_t Color::pack() const {
    return static_cast<std::uint32_t>(alpha) << 24 | static_cast<std::uint32_t>(red) << 16 |
           static_cast<std::uint32_t>(green) << 8 | static_cast<std::uint32_t>(blue);
}

}  // namespace veru::dxt
