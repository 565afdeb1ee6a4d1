#pragma once
// ConfigScene: the configuration screen — window or full screen, the
// difficulty, and the buttons of the five actions (shoot, special, bomb,
// slow, pause), for keyboard and pad alike.
//
// Rows are chosen with up/down; on the screen and level rows left/right
// choose and the shoot button confirms (the screen mode switches at once).
// On the key row a confirm starts the key assignment: the actions are
// highlighted one after another and each takes the next single button
// pressed (directions and several buttons at once are ignored; a button
// must be released before the next counts). When a button is already taken,
// the other action gets the lowest free button. "Return" goes back to the
// title menu. Everything chosen is written to the settings file at exit.
//
// Ownership: owns what create loads until release; borrows the settings.
// Thread: main thread only.
// Failure: a missing file shows its message (caption "ConfigScene::create()")
// and create returns false.

#include <array>
#include <map>
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

class ConfigScene : public veru::dxt::Scene {
  public:
    static constexpr int kFadeIn = 100000;
    static constexpr int kKeyAssignment = 100003;
    static constexpr int kMenu = 100004;
    static constexpr int kFadeOut = 100005;

    // Rows and choices.
    static constexpr int kRowScreen = 0;
    static constexpr int kRowLevel = 1;
    static constexpr int kRowKey = 2;
    static constexpr int kRowReturn = 3;

    ConfigScene(veru::dxt::SceneManager* manager, GameSetting* setting);
    ~ConfigScene() override;

    void reset() override;
    bool create(veru::platform::Window* window, veru::platform::VideoDevice* device) override;
    void update(veru::dxt::event::InputInterface* input) override;
    void draw(veru::platform::VideoDevice* device) override;
    void release() override;

    // Sets the screen and level choices from the settings.
    void syncChoices();

    int getPhase() const { return phase; }
    int getRow() const;
    int getScreenChoice() const;
    int getLevelChoice() const;
    // Which action item is highlighted (0 shoot ... 4 pause), -1 for none.
    int getAssigning() const;

  private:
    // One frame of the key assignment; true when the last action got its button.
    bool assignKeys(int buttons);
    void resolveConflicts(int assigned, int mask);
    int maskOf(int action) const;
    void setMaskOf(int action, int mask);

    int phase = kFadeIn;
    bool pressHeld = false;
    int t = 0;
    int confirmMask = 0x10;
    std::unique_ptr<veru::dxt::SelectList> rows;
    std::unique_ptr<veru::dxt::SelectList> screenChoices;
    std::unique_ptr<veru::dxt::SelectList> levelChoices;
    std::vector<std::unique_ptr<veru::dxt::SelectComponent>> items;  // rows and choices
    std::array<std::unique_ptr<veru::dxt::SelectComponent>, 5> actions;
    std::map<int, std::unique_ptr<veru::dxt::material::Texture>> labels;
    veru::sound::ISound* confirmSound = nullptr;
    GameSetting* setting;
    std::unique_ptr<veru::dxt::DirectGraphics> graphics;
    std::unique_ptr<veru::dxt::material::Surface> background;
    std::unique_ptr<veru::dxt::material::Texture> fadeLayer;
};

}  // namespace ml
