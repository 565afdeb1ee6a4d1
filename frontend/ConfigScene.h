#pragma once
// ConfigScene: the configuration screen. Its rows are the configuration
// rows of the settings (settings/ConfigRows.h): window (1x, 2x, 3x as the
// desktop has room) or full screen, the difficulty, the buttons of the five
// actions (shoot, special, bomb, slow, pause), for keyboard and pad alike,
// the music and effect volumes and the language; then "return".
//
// Rows are chosen with up/down; on a row of choices left/right choose and
// the shoot button confirms (the screen mode and window size switch at
// once). On the volume rows left/right change the volume at once: a tune
// plays while the music row is chosen, and each change of the effect volume
// plays a short effect. A confirmed language is spoken at once: the screen
// loads its pictures and words again in it (other scenes take it up when
// they next load). Beside each action its keys and, with a pad in use, its
// pad buttons are named as printed on them ("V, Left Shift [Y / RB]"); a
// line at the bottom names the pad in use, or says there is none. Without a
// sound device a line says so.
// On the key row left/right choose between assigning and going back to the
// default buttons; a confirm does it. Assigning highlights the actions one
// after another, each showing "press a key or button" and taking the next
// key or pad button that goes down: a key becomes the action's first key
// (the one before it its second), a button of a mapped pad its pad button
// (the d-pad and the cursor keys stay directions and are ignored). A button
// of a pad SDL cannot map (or, from an input that names no keys, a single
// fresh button of the word) moves the action to that button of the word;
// an action already there gets the lowest free button. "Return" goes back
// to the title menu. Everything chosen is written to the settings file at
// exit.
//
// Ownership: owns what create loads until release; borrows the settings.
// Thread: main thread only.
// Failure: a missing file shows its message (caption "ConfigScene::create()")
// and create returns false; when loading again in a new language fails, the
// scene goes back to the title menu.

#include <array>
#include <map>
#include <memory>
#include <vector>

#include "engine/core/YString.h"
#include "engine/graphics/FadeLayer.h"
#include "engine/input/InputInterface.h"
#include "engine/scene/Scene.h"
#include "game/settings/ConfigRows.h"

namespace veru::dxt {
class DirectGraphics;
class SelectComponent;
class SelectList;
}  // namespace veru::dxt
namespace veru::dxt::material {
class Surface;
class Texture;
}  // namespace veru::dxt::material
namespace veru::dxt::event {
class ActionBindings;
}  // namespace veru::dxt::event
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

    // Rows, from the configuration rows; "return" comes after them.
    static constexpr int kRowScreen = settings::configRowOf(settings::Key::screen);
    static constexpr int kRowLevel = settings::configRowOf(settings::Key::level);
    static constexpr int kRowKey = settings::configRowOf(settings::Key::keyBullet);
    static constexpr int kRowMusic = settings::configRowOf(settings::Key::musicVolume);
    static constexpr int kRowEffect = settings::configRowOf(settings::Key::effectVolume);
    static constexpr int kRowLanguage = settings::configRowOf(settings::Key::language);
    static constexpr int kRowReturn = settings::kConfigRowCount;
    // Window sizes offered at most (1x ... 3x), fewer when the desktop is small.
    static constexpr int kMaxOfferedScale =
        settings::choiceCount(settings::kConfigRows[kRowScreen]) - 1;
    // The left column: the first row's top, and how far apart the rows are
    // (the key row's actions stack beside it and take kActionsHeight).
    static constexpr int kFirstRowY = 72;
    static constexpr int kRowGap = 52;
    static constexpr int kActionsHeight = 204;
    // The top of a row's name in the left column ("return" after the last).
    static constexpr int rowY(int row) {
        int y = kFirstRowY;
        for (int i = 0; i < row && i < settings::kConfigRowCount; ++i)
            y += settings::kConfigRows[i].shown == settings::Shown::actions ? kActionsHeight
                                                                            : kRowGap;
        return y;
    }
    // Choices on the key row.
    static constexpr int kKeyAssign = 0;
    static constexpr int kKeyDefaults = 1;
    // The tune that plays while the music volume is chosen.
    static constexpr const char16_t* kPreviewTune = u"sound/bgm_prologue.ogg";

    // `bindings`: the keys and pad buttons of the actions (borrowed).
    ConfigScene(veru::dxt::SceneManager* manager, GameSetting* setting,
                veru::dxt::event::ActionBindings* bindings = nullptr);
    ~ConfigScene() override;

    void reset() override;
    bool create(veru::platform::Window* window, veru::platform::VideoDevice* device) override;
    void update(veru::dxt::event::InputInterface* input) override;
    void draw(veru::platform::VideoDevice* device) override;
    void release() override;

    // Sets every row's choice from the settings.
    void syncChoices();

    int getPhase() const { return phase; }
    int getRow() const;
    // The choice highlighted on a row of choices (0 for other rows).
    int getChoice(int row) const;
    int getScreenChoice() const { return getChoice(kRowScreen); }
    int getLevelChoice() const { return getChoice(kRowLevel); }
    // Which action item is highlighted (0 shoot ... 4 pause), -1 for none.
    int getAssigning() const;
    // Window sizes on the screen row (the choice after them is full screen).
    int getWindowChoices() const { return windowChoices; }
    int getKeyRowChoice() const { return keyRowChoice; }
    // The text beside action `action`'s item ("Z [A]"); "press a key or
    // button" (in the game's language) while it is being assigned.
    veru::YString labelText(int action) const;
    // The line naming the pad in use ("Pad: ...", "Pad: none"), in the
    // game's language.
    veru::YString padLine() const;

  private:
    // One frame of the key assignment; true when the last action got its input.
    bool assignKeys(int buttons, const veru::dxt::event::FreshPress& press);
    // A key or pad button for the action being assigned; false to ignore it.
    bool assignPress(int action, const veru::dxt::event::FreshPress& press);
    void assignButton(int action, int bit);
    void restoreDefaultButtons();
    // Stores the value chosen on a row of choices.
    void chooseValue(int row);
    // Speaks the language the settings now ask for; when it differs from the
    // one the screen was loaded in, loads the screen's pictures again.
    void followLanguage();
    // The lists confirm with the shoot action's button, wherever it is now.
    void followShootMask();
    void resolveConflicts(int assigned, int mask);
    int maskOf(int action) const;
    void setMaskOf(int action, int mask);
    void chooseScreen();
    // Left/right on a gauge row: one step per press.
    void changeVolume(int row, int step);
    // Starts the preview tune on the music row and stops it elsewhere.
    void followMusicRow();
    void drawGauge(const veru::dxt::SelectComponent& row, int level, int steps);
    // `text` rendered in `colour`, made once and kept while the scene lives.
    veru::dxt::material::Texture* textTexture(veru::platform::VideoDevice* device,
                                              const veru::YString& text, unsigned colour);

    int phase = kFadeIn;
    bool pressHeld = false;
    int confirmMask = 0x10;
    int previousButtons = 0;
    int windowChoices = 1;
    int keyRowChoice = kKeyAssign;
    veru::dxt::event::PadInUse pad;  // as the input reported it last
    std::unique_ptr<veru::dxt::SelectList> rows;
    // Each configuration row's choices (empty for gauges and the actions).
    std::array<std::unique_ptr<veru::dxt::SelectList>, settings::kConfigRowCount> choices;
    std::vector<std::unique_ptr<veru::dxt::SelectComponent>> items;  // rows and choices
    std::vector<veru::dxt::SelectComponent*> rowItems;               // the rows' names, in order
    std::array<std::unique_ptr<veru::dxt::SelectComponent>, 5> actions;
    std::map<std::pair<veru::YString, unsigned>, std::unique_ptr<veru::dxt::material::Texture>>
        texts;
    std::unique_ptr<veru::dxt::material::Texture> pipOn;
    std::unique_ptr<veru::dxt::material::Texture> pipOff;
    std::unique_ptr<veru::dxt::material::Texture> noSoundLine;
    veru::sound::ISound* confirmSound = nullptr;
    veru::sound::IStreamingSound* previewTune = nullptr;
    GameSetting* setting;
    veru::dxt::event::ActionBindings* bindings;
    veru::platform::VideoDevice* loadedOn = nullptr;  // borrowed: the device of the last create
    std::unique_ptr<veru::dxt::DirectGraphics> graphics;
    std::unique_ptr<veru::dxt::material::Surface> background;
    veru::dxt::FadeLayer fade;
};

}  // namespace ml
