#pragma once
// TalkArea: the semi-transparent talk window with the speaker's face at its
// top-left. Shown once the first sentence comes: it fades in over 24 frames
// (busy meanwhile) and then stays at alpha 230.
//
// Ownership: owns its window picture; borrows the face.
// Thread: main thread only.
// Failure: load throws the picture loader's exceptions.

#include <memory>

#include "engine/adventure/ADVComponent.h"
#include "engine/core/YString.h"

namespace veru::platform {
class VideoDevice;
}
namespace veru::dxt::material {
class Texture;
}

namespace veru::adv {

class TalkArea : public ADVComponent {
  public:
    static constexpr int kHidden = 0;
    static constexpr int kAppearing = 1;
    static constexpr int kShown = 2;
    static constexpr int kDisappearing = 3;

    TalkArea();
    ~TalkArea() override;

    void load(platform::VideoDevice* device, const YString& path);
    void show() { mode = kAppearing; }
    bool isShown() const { return mode == kShown; }
    void setFace(dxt::material::Texture* texture) { face = texture; }
    dxt::material::Texture* getFace() const { return face; }
    dxt::material::Texture* getWindow() const { return window.get(); }
    int getMode() const { return mode; }

    bool update(int buttons) override;
    void draw(dxt::DirectGraphics& graphics) override;

  private:
    int mode = kHidden;
    int counter = 0;
    int faceOffsetX = -30;
    int faceOffsetY = -30;
    dxt::material::Texture* face = nullptr;
    std::unique_ptr<dxt::material::Texture> window;
};

}  // namespace veru::adv
