#pragma once
// LogoScene: the team logo fades in, holds and fades out, then the title
// menu follows. It cannot be skipped: at 60 frames per second it always
// takes 165 frames (52 in, 61 held, 52 out).
//
// Ownership: owns what create loads (drawing context, logo picture, fade
// layer) until release. Thread: main thread only.
// Failure: a missing picture shows its message (caption
// "LogoScene::create()") and create returns false.

#include <memory>

#include "engine/graphics/FadeLayer.h"
#include "engine/scene/Scene.h"

namespace veru::dxt {
class DirectGraphics;
}
namespace veru::dxt::material {
class Surface;
class Texture;
}  // namespace veru::dxt::material

namespace ml {

class LogoScene : public veru::dxt::Scene {
  public:
    static constexpr int kFadeIn = 0;
    static constexpr int kHold = 1;
    static constexpr int kFadeOut = 2;
    static constexpr int kFadeStep = 5;  // of 255 per frame; the hold counts the same way

    explicit LogoScene(veru::dxt::SceneManager* manager);
    ~LogoScene() override;

    void reset() override;
    bool create(veru::platform::Window* window, veru::platform::VideoDevice* device) override;
    void update(veru::dxt::event::InputInterface* input) override;
    void draw(veru::platform::VideoDevice* device) override;
    void release() override;

    int getPhase() const { return phase; }
    // How far the hold has gone (it ends past 300).
    int getStep() const { return t; }

  private:
    int phase = kFadeIn;
    int t = 0;  // the hold
    std::unique_ptr<veru::dxt::DirectGraphics> graphics;
    std::unique_ptr<veru::dxt::material::Surface> background;
    veru::dxt::FadeLayer fade;
};

}  // namespace ml
