#pragma once
// MenuSceneOld: the title menu — start, configuration, end — over the title
// picture. It fades in and a title call plays; the direction buttons move
// the highlight and the shoot action's button confirms (once per press).
// Start fades out to the prologue talk (scene 4), configuration to the
// next scene, end quits at once without a fade.
//
// Ownership: owns what create loads until release; the sounds belong to the
// sound manager; the settings are borrowed. Thread: main thread only.
// Failure: a missing file shows its message (caption
// "MenuSceneOld::create()") and create returns false.

#include <memory>
#include <vector>

#include "engine/scene/Scene.h"

namespace veru::dxt {
class DirectGraphics;
class SelectComponent;
class SelectList;
}  // namespace veru::dxt
namespace veru::dxt::material {
class Surface;
class Texture;
}  // namespace veru::dxt::material
namespace veru::sound {
class ISound;
}

namespace ml {

class GameSetting;

class MenuSceneOld : public veru::dxt::Scene {
  public:
    static constexpr int kFadeIn = 0x100;
    static constexpr int kActive = 0x200;
    static constexpr int kFadeOut = 0x400;
    static constexpr int kStartChosen = 0x2;
    static constexpr int kConfigChosen = 0x4;

    MenuSceneOld(veru::dxt::SceneManager* manager, GameSetting* setting);
    ~MenuSceneOld() override;

    void reset() override;
    bool create(veru::platform::Window* window, veru::platform::VideoDevice* device) override;
    void update(veru::dxt::event::InputInterface* input) override;
    void draw(veru::platform::VideoDevice* device) override;
    void release() override;

    int getPhase() const { return phase; }
    int getIndex() const;

  private:
    int phase = kFadeIn;
    int t = 0;
    bool confirmHeld = false;
    std::unique_ptr<veru::dxt::DirectGraphics> graphics;
    std::unique_ptr<veru::dxt::material::Surface> background;
    std::unique_ptr<veru::dxt::material::Texture> fadeLayer;
    std::vector<std::unique_ptr<veru::dxt::SelectComponent>> items;
    std::unique_ptr<veru::dxt::SelectList> list;
    veru::sound::ISound* startSound = nullptr;
    veru::sound::ISound* cancelSound = nullptr;
    veru::sound::ISound* titleCall = nullptr;
    std::vector<veru::sound::ISound*> voices;
    GameSetting* setting;
};

}  // namespace ml
