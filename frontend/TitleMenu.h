#pragma once
// TitleMenu: what every title menu of the game shares — the title picture,
// the three items start, configuration and end, the fade in and out and the
// title call. It fades in and one of its title calls, picked at random,
// plays; the direction buttons move the highlight and the shoot action's
// button confirms (once per press). Configuration fades out to the next
// scene, end quits at once without a fade. What "start" does is the scene's
// own (startChosen): by default it fades out to the prologue talk (scene 4).
// A scene that offers more under "start" takes the frames while it shows it
// (updateChoice / drawChoice).
//
// Ownership: owns what create loads until release; the sounds belong to the
// sound manager; the settings are borrowed. Thread: main thread only.
// Failure: a missing file shows its message (caption "<name>::create()")
// and create returns false.

#include <memory>
#include <vector>

#include "engine/core/YString.h"
#include "engine/graphics/FadeLayer.h"
#include "engine/scene/Scene.h"

namespace veru::dxt {
class ComponentFactory;
class DirectGraphics;
class SelectComponent;
class SelectList;
}  // namespace veru::dxt
namespace veru::dxt::material {
class Surface;
}
namespace veru::sound {
class ISound;
}

namespace ml {

class GameSetting;

class TitleMenu : public veru::dxt::Scene {
  public:
    static constexpr int kFadeIn = 0x100;
    static constexpr int kActive = 0x200;
    static constexpr int kFadeOut = 0x400;
    static constexpr int kStartChosen = 0x2;
    static constexpr int kConfigChosen = 0x4;
    // The items in list order.
    static constexpr int kItemStart = 0;
    static constexpr int kItemConfig = 1;
    static constexpr int kItemEnd = 2;
    // Centre y of the first item and the distance between items.
    static constexpr int kFirstItemY = 380;
    static constexpr int kItemGap = 70;

    ~TitleMenu() override;

    void reset() override;
    bool create(veru::platform::Window* window, veru::platform::VideoDevice* device) override;
    void update(veru::dxt::event::InputInterface* input) override;
    void draw(veru::platform::VideoDevice* device) override;
    void release() override;

    int getPhase() const { return phase; }
    // The highlighted item of the three.
    int getIndex() const;
    // Which of the title calls played (its place in the list), -1 before one.
    int getTitleCall() const { return titleCall; }

  protected:
    // `name` is the scene's name for error captions; `titleCalls` the voices
    // one of which greets the player.
    TitleMenu(veru::dxt::SceneManager* manager, GameSetting* setting, const char16_t* name,
              std::vector<const char16_t*> titleCalls);

    // Loads what the scene adds (after the items, before the title picture);
    // throws what the loaders throw.
    virtual void createChoice(veru::dxt::ComponentFactory&, veru::platform::VideoDevice*) {}
    virtual void releaseChoice() {}
    // "start" was confirmed.
    virtual void startChosen();
    // One frame of the scene's own choice; false when it is not shown (the
    // three items then take the frame).
    virtual bool updateChoice(int) { return false; }
    // Queues the scene's own choice in place of the items; false when it is
    // not shown.
    virtual bool drawChoice(veru::dxt::DirectGraphics&) { return false; }

    // Plays "start" and fades out to the prologue.
    void fadeOutToStart();
    static void play(veru::sound::ISound* sound);
    veru::dxt::SelectComponent& item(int i) { return *items[static_cast<std::size_t>(i)]; }

    GameSetting* setting;
    veru::sound::ISound* startSound = nullptr;
    veru::sound::ISound* cancelSound = nullptr;

  private:
    void fadeOut(int chosen);

    const char16_t* name;
    std::vector<const char16_t*> titleCallPaths;
    int phase = kFadeIn;
    bool confirmHeld = false;
    int titleCall = -1;
    veru::dxt::FadeLayer fade;
    std::unique_ptr<veru::dxt::DirectGraphics> graphics;
    std::unique_ptr<veru::dxt::material::Surface> background;
    std::vector<std::unique_ptr<veru::dxt::SelectComponent>> items;
    std::unique_ptr<veru::dxt::SelectList> list;
    std::vector<veru::sound::ISound*> voices;
};

}  // namespace ml
