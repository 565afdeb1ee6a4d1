#pragma once
// IconCounter: one picture repeated once per life or per stock, in a row
// that grows to the left from a reference point: the first icon's right
// edge lies at the reference x and its top edge at the reference y. It holds
// no count of its own: draw is given the play status's, which owns it.
//
// Ownership: owns its picture.
// Thread: main thread only.
// Failure: load throws what Texture::load throws (FileNotFoundException for
// a missing picture). A count of 0 or less draws nothing.

#include <memory>

#include "engine/core/YString.h"

namespace veru::platform {
class VideoDevice;
}
namespace veru::dxt {
class DirectGraphics;
}
namespace veru::dxt::material {
class Texture;
}

namespace ml::shooting::cmp {

class IconCounter {
  public:
    IconCounter();
    ~IconCounter();
    IconCounter(const IconCounter&) = delete;
    IconCounter& operator=(const IconCounter&) = delete;

    void load(veru::platform::VideoDevice* device, const veru::YString& path, int refX, int refY);
    // The first icon's centre.
    int getX() const { return x; }
    int getY() const { return y; }
    // The icon's size; 0 before load.
    int getIconWidth() const;
    int getIconHeight() const;
    // `count` icons (none for 0 or less).
    void draw(veru::dxt::DirectGraphics& graphics, int count);

  private:
    int x = 0;
    int y = 0;
    std::unique_ptr<veru::dxt::material::Texture> iconTexture;
};

}  // namespace ml::shooting::cmp
