#pragma once
// Helpers of the picture checks: reading committed pictures and the
// rectangles the screens place them in.
//
// Failure: a picture that cannot be read records a test failure and comes
// back empty.

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "engine/platform/image/Image.h"

namespace mirelune::assets {

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path);
veru::platform::Image decodeFile(const std::filesystem::path& path, std::uint32_t colorKey = 0);
// The committed picture of a game path ("img/vuzez.ytx") as the manifest names it.
veru::platform::Image committedPicture(const std::string& gamePath, std::uint32_t colorKey = 0);
std::uint8_t alphaAt(const veru::platform::Image& image, int x, int y);

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    bool empty() const { return right <= left || bottom <= top; }
    bool overlaps(const Rect& o) const {
        return !empty() && !o.empty() && left < o.right && o.left < right && top < o.bottom &&
               o.top < bottom;
    }
    bool inside(const Rect& o) const {
        return left >= o.left && top >= o.top && right <= o.right && bottom <= o.bottom;
    }
    bool insideScreen() const { return inside({0, 0, 800, 600}); }
    Rect moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // A w x h picture drawn centred on (x, y) with the sprite layer's integer halves.
    static Rect centred(int x, int y, int w, int h) {
        return {x - w / 2, y - h / 2, x - w / 2 + w, y - h / 2 + h};
    }
};

std::ostream& operator<<(std::ostream& out, const Rect& r);

// The box of the clearly visible pixels (alpha of at least 96): what a player
// reads as the picture. Glows fainter than that may overlap.
Rect inkBox(const veru::platform::Image& image);

}  // namespace mirelune::assets
