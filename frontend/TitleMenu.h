#pragma once
// TitleMenu: what every title menu of the game shares — the title picture,
// a column of items given as a table of rows, the fade in and out and the
// title call. It fades in and one of its title calls, picked at random,
// plays; the direction buttons move the highlight and the shoot action's
// button confirms (once per press). A row that leaves fades out and leaves
// by its exit (configuration, the replays), the quit row quits at once
// without a fade. What "start" does is the scene's own (startChosen): by
// default it fades out to the prologue talk (scene 4). A scene that offers
// more under "start" takes the frames while it shows it (updateChoice /
// drawChoice).
//
// The items stand centred on x = width / 2 around y = 450, 70 pixels apart
// as the first edition's three (380, 450, 520), closer when more rows would
// leave the band from 340 to 560 (five: 55 apart).
//
// Ownership: owns what create loads until release; the sounds belong to the
// sound manager; the settings are borrowed. Thread: main thread only.
// Failure: a missing file shows its message (caption "<name>::create()")
// and create returns false.

#include <memory>
#include <span>
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

// One row of a title menu: its word picture (plain, highlighted) and what
// choosing it does.
struct TitleItem {
    enum class Does { start, leave, quit };
    const char16_t* picture;
    const char16_t* pictureChosen;
    Does does;
    veru::dxt::SceneExit exit;  // where a row that leaves goes
};

inline constexpr TitleItem kTitleStart = {u"img/menu_start_n.ytx", u"img/menu_start_s.ytx",
                                          TitleItem::Does::start, veru::dxt::SceneExit::story};
inline constexpr TitleItem kTitlePractice = {u"img/menu_practice_n.ytx", u"img/menu_practice_s.ytx",
                                             TitleItem::Does::leave,
                                             veru::dxt::SceneExit::practice};
inline constexpr TitleItem kTitleReplays = {u"img/menu_replays_n.ytx", u"img/menu_replays_s.ytx",
                                            TitleItem::Does::leave, veru::dxt::SceneExit::replays};
inline constexpr TitleItem kTitleConfig = {u"img/menu_config_n.ytx", u"img/menu_config_s.ytx",
                                           TitleItem::Does::leave, veru::dxt::SceneExit::configure};
inline constexpr TitleItem kTitleQuit = {u"img/menu_end_n.ytx", u"img/menu_end_s.ytx",
                                         TitleItem::Does::quit, veru::dxt::SceneExit::title};

class TitleMenu : public veru::dxt::Scene {
  public:
    static constexpr int kFadeIn = 0x100;
    static constexpr int kActive = 0x200;
    static constexpr int kFadeOut = 0x400;
    static constexpr int kStartChosen = 0x2;
    static constexpr int kLeaveChosen = 0x4;  // a row that leaves by its exit
    // Start is the first row of every title menu.
    static constexpr int kItemStart = 0;
    // The band the items' centres keep to, and their widest spacing.
    static constexpr int kTopItemY = 340;
    static constexpr int kBottomItemY = 560;
    static constexpr int kMiddleItemY = (kTopItemY + kBottomItemY) / 2;
    static constexpr int kMaxItemGap = 70;

    // The centre y of row `index` of a column of `count` rows.
    static int itemY(int index, int count);

    ~TitleMenu() override;

    void reset() override;
    bool create(veru::platform::Window* window, veru::platform::VideoDevice* device) override;
    void update(veru::dxt::event::InputInterface* input) override;
    void draw(veru::platform::VideoDevice* device) override;
    void release() override;
    // Reads the items' and the choice's pictures, the title picture and the
    // sounds ahead on a worker (while the logo shows).
    veru::dxt::PrepareJob prepare() override;

    int getPhase() const { return phase; }
    // The highlighted row.
    int getIndex() const;
    // The rows, in list order.
    std::span<const TitleItem> getItems() const { return rows; }
    // The centre y of row `index` of this menu.
    int itemY(int index) const { return itemY(index, static_cast<int>(rows.size())); }
    // Which of the title calls played (its place in the list), -1 before one.
    int getTitleCall() const { return titleCall; }

  protected:
    // `name` is the scene's name for error captions; `titleCalls` the voices
    // one of which greets the player; `rows` the items, start first
    // (constant, outlives the scene).
    TitleMenu(veru::dxt::SceneManager* manager, GameSetting* setting, const char16_t* name,
              std::vector<const char16_t*> titleCalls, std::span<const TitleItem> rows);

    // Loads what the scene adds (after the items, before the title picture);
    // throws what the loaders throw.
    virtual void createChoice(veru::dxt::ComponentFactory&, veru::platform::VideoDevice*) {}
    // The pictures (plain, highlighted) of the items createChoice adds, read
    // ahead by prepare.
    struct ItemPictures {
        const char16_t* plain;
        const char16_t* chosen;
    };
    virtual std::vector<ItemPictures> choicePictures() const { return {}; }
    virtual void releaseChoice() {}
    // "start" was confirmed.
    virtual void startChosen();
    // One frame of the scene's own choice; false when it is not shown (the
    // items then take the frame).
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
    std::span<const TitleItem> rows;
    veru::dxt::SceneExit leavingBy = veru::dxt::SceneExit::story;
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
