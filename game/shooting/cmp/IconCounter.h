#pragma once
// IconCounter: one picture repeated once per life or per stock, in a row
// that grows to the left from a reference point: the first icon's right
// edge lies at the reference x and its top edge at the reference y.
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
    explicit IconCounter(int count);
    ~IconCounter();
    IconCounter(const IconCounter&) = delete;
    IconCounter& operator=(const IconCounter&) = delete;

    void load(veru::platform::VideoDevice* device, const veru::YString& path, int refX, int refY);
    void setCount(int n) { count = n; }
    void increment() { ++count; }
    void decrement() { --count; }
    int getCount() const { return count; }
    // The first icon's centre.
    int getX() const { return x; }
    int getY() const { return y; }
    // The icon's size; 0 before load.
    int getIconWidth() const;
    int getIconHeight() const;
    void draw(veru::dxt::DirectGraphics& graphics);

  private:
    int x = 0;
    int y = 0;
    int count;
    std::unique_ptr<veru::dxt::material::Texture> iconTexture;
};

}  // namespace ml::shooting::cmp
