#pragma once
// HitRect: a collision rectangle in field pixels. Overlap is strict:
// rectangles that only share an edge do not collide.

namespace ml::shooting::object {

struct HitRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr bool overlaps(const HitRect& o) const {
        return left < o.right && right > o.left && top < o.bottom && bottom > o.top;
    }
    friend constexpr bool operator==(const HitRect&, const HitRect&) = default;
};

}  // namespace ml::shooting::object
