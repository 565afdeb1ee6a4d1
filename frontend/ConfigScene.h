#pragma once
// ConfigScene: the configuration screen — window (1x, 2x, 3x as the desktop
// has room) or full screen, the difficulty, the buttons of the five actions
// (shoot, special, bomb, slow, pause), for keyboard and pad alike, and the
// music and effect volumes.
//
// Rows are chosen with up/down; on the screen and level rows left/right
// choose and the shoot button confirms (the screen mode and window size
// switch at once). On the volume rows left/right change the volume at once:
// a tune plays while the music row is chosen, and each change of the effect
// volume plays a short effect. With the keyboard as the input, the action
// rows name the key beside each button ("Button-1 Z"). Without a sound
// device a line says so.
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

#include "engine/core/YString.h"
#include "engine/graphics/FadeLayer.h"
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
class IStreamingSound;
}  // namespace veru::sound

namespace ml {

class GameSetting;

class ConfigScene : public veru::dxt::Scene {
  public:
    static constexpr int kFadeIn = 100000;
    static constexpr int kKeyAssignment = 100003;
    static constexpr int kMenu = 100004;
    static constexpr int kFadeOut = 100005;
    static constexpr int kFadeStep = 10;  // of 255, per frame

    // Rows and choices.
    static constexpr int kRowScreen = 0;
    static constexpr int kRowLevel = 1;
    static constexpr int kRowKey = 2;
    static constexpr int kRowMusic = 3;
    static constexpr int kRowEffect = 4;
    static constexpr int kRowReturn = 5;
    // Window sizes offered at most (1x ... 3x), fewer when the desktop is small.
    static constexpr int kMaxOfferedScale = 3;
    // The tune that plays while the music volume is chosen.
    static constexpr const char16_t* kPreviewTune = u"sound/bgm_prologue.ogg";

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
    // Window sizes on the screen row (the choice after them is full screen).
    int getWindowChoices() const { return windowChoices; }
    // The text beside action `action`'s item ("Button-1 Z"), empty for none.
    veru::YString labelText(int action) const;

  private:
    // One frame of the key assignment; true when the last action got its button.
    bool assignKeys(int buttons);
    void resolveConflicts(int assigned, int mask);
    int maskOf(int action) const;
    void setMaskOf(int action, int mask);
    void chooseScreen();
    // Left/right on a volume row: one step per press.
    void changeVolume(int row, int step);
    // Starts the preview tune on the music row and stops it elsewhere.
    void followMusicRow();
    void drawGauge(const veru::dxt::SelectComponent& row, int level);
    void rebuildLabels(veru::platform::VideoDevice* device);
    // "Button-n", with the key's name when the input has keys.
    veru::YString buttonLabel(int n) const;

    int phase = kFadeIn;
    bool pressHeld = false;
    int confirmMask = 0x10;
    int previousButtons = 0;
    int windowChoices = 1;
    bool labelsStale = true;
    std::array<veru::YString, 10> keyNames;  // per button, from the input
    std::unique_ptr<veru::dxt::SelectList> rows;
    std::unique_ptr<veru::dxt::SelectList> screenChoices;
    std::unique_ptr<veru::dxt::SelectList> levelChoices;
    std::vector<std::unique_ptr<veru::dxt::SelectComponent>> items;  // rows and choices
    std::array<std::unique_ptr<veru::dxt::SelectComponent>, 5> actions;
    std::map<int, std::unique_ptr<veru::dxt::material::Texture>> labels;
    std::unique_ptr<veru::dxt::material::Texture> pipOn;
    std::unique_ptr<veru::dxt::material::Texture> pipOff;
    std::unique_ptr<veru::dxt::material::Texture> noSoundLine;
    veru::dxt::SelectComponent* musicRow = nullptr;
    veru::dxt::SelectComponent* effectRow = nullptr;
    veru::sound::ISound* confirmSound = nullptr;
    veru::sound::IStreamingSound* previewTune = nullptr;
    GameSetting* setting;
    std::unique_ptr<veru::dxt::DirectGraphics> graphics;
    std::unique_ptr<veru::dxt::material::Surface> background;
    veru::dxt::FadeLayer fade;
};

}  // namespace ml
