#pragma once
// BossFace: the boss's face picture in the information area. It starts just
// outside the screen's right edge with its top edge at the bottom of the play
// field and slides left, 8 pixels per update, until its right edge meets the
// screen's right edge.
//
// update() is false while it moves and true from the update after the one on
// which it arrived, on every update after that. A width that is not a
// multiple of 8 ends with a shorter last step, so the face always arrives.
//
// Ownership: owns its picture.
// Thread: main thread only.
// Failure: load throws what Texture::load throws (FileNotFoundException for
// a missing picture). Without a picture the face counts as arrived.

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

class BossFace {
  public:
    static constexpr int kStep = 8;

    // `screenWidth`, `fieldHeight`: the play field's size (800 x 480).
    BossFace(int screenWidth, int fieldHeight);
    ~BossFace();
    BossFace(const BossFace&) = delete;
    BossFace& operator=(const BossFace&) = delete;

    void load(veru::platform::VideoDevice* device, const veru::YString& path);
    bool update();
    void draw(veru::dxt::DirectGraphics& graphics);

    bool hasArrived() const;
    int getX() const { return x; }
    int getY() const { return y; }
    int getMoved() const { return moved; }

  private:
    int width() const;

    int step = kStep;
    int moved = 0;
    int x;
    int y;
    std::unique_ptr<veru::dxt::material::Texture> faceTexture;
};

}  // namespace ml::shooting::cmp
