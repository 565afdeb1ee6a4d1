#pragma once
// IGauge: a horizontal gauge of the information area — a frame picture, a
// bar the subclass draws over it, and a surround picture on top.
//
// The frame picture "img/gauge_white.ytx" is the size reference of every
// bar; "img/gauge_arround.ytx" is drawn over the bar. Positions are centres
// (the gauge is placed by its top-left corner with setPosition).
//
// Ownership: owns every picture it loads; borrows the device and graphics
// it is given for the call only.
// Thread: main thread only.
// Failure: load throws what Texture::load throws (FileNotFoundException for
// a missing picture); drawing before load draws nothing.

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

class IGauge {
  public:
    static constexpr const char16_t* kFramePath = u"img/gauge_white.ytx";
    static constexpr const char16_t* kSurroundPath = u"img/gauge_arround.ytx";

    explicit IGauge(int maxValue);
    virtual ~IGauge();
    IGauge(const IGauge&) = delete;
    IGauge& operator=(const IGauge&) = delete;

    // Loads the frame and the surround, then the subclass's own pictures.
    void load(veru::platform::VideoDevice* device);
    // Queues the frame, the bar and the surround, centred at (x, y).
    void draw(veru::dxt::DirectGraphics& graphics);

    virtual void loadTextures(veru::platform::VideoDevice* device) = 0;
    virtual void drawBar(veru::dxt::DirectGraphics& graphics) = 0;
    // Width and height of the whole gauge (the frame's; subclasses widen it).
    virtual int width() const;
    virtual int height() const;
    // Places the frame's top-left corner.
    virtual void setPosition(int left, int top);
    virtual bool update() = 0;

    void setValue(int v) { value = v; }
    int getValue() const { return value; }
    int getMaxValue() const { return maxValue; }
    int getX() const { return x; }
    int getY() const { return y; }
    int frameWidth() const;
    int frameHeight() const;

  protected:
    // Loads `path` into a new texture.
    static std::unique_ptr<veru::dxt::material::Texture> loadPicture(
        veru::platform::VideoDevice* device, const veru::YString& path);

    int x = 0;
    int y = 0;
    int value;
    int maxValue;
    std::unique_ptr<veru::dxt::material::Texture> frameTexture;
    std::unique_ptr<veru::dxt::material::Texture> surroundTexture;
};

}  // namespace ml::shooting::cmp
