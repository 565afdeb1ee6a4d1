#pragma once
// PracticeScene: the practice menu, opened from the title menu. The player
// chooses the heroine, the difficulty, what to practise — a part of her
// stage (her row's parts, her boss last) or any boss of the boss table
// alone, each shown by its short name and, for a boss, its portrait — and
// the start status (shot level, lives, stock; the defaults are a new
// game's, the full shot level for a boss, and are shown as chosen). The
// first opening offers the player's own heroine and difficulty; after that
// the last choice stays, ready to fly again. Confirm
// on "start" plays it at once on her stage (no talk before it); the end of
// that play comes back here (StageStart.h, ShootingScene::practise).
//
// Up and down choose a row, left and right change its value (the heroine
// and difficulty wrap; the counts stop at their ends); the shoot action's
// button confirms "start" or "back", the bomb action's button goes back to
// the title menu. Buttons held when the scene opens count only after they
// have been released once. The words are drawn in the game's language
// (English in DejaVu Sans, Japanese in the game's face).
//
// Ownership: owns what create loads until release; borrows the settings and
// the play status (which outlive it). Sounds belong to the sound manager.
// Thread: main thread only.
// Failure: a missing picture shows its message (caption
// "PracticeScene::create()") and create returns false.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/core/YString.h"
#include "engine/graphics/FadeLayer.h"
#include "engine/input/HeldButtonLatch.h"
#include "engine/scene/Scene.h"
#include "game/StageHeroine.h"
#include "game/StageStart.h"

namespace veru::dxt {
class DirectGraphics;
class PlayStatus;
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

// What the practice menu has chosen, and how a press changes it; no
// pictures, so that it can be driven alone.
class PracticeChoice {
  public:
    enum Row { heroine, difficulty, kind, where, power, lives, stock, start, back, rowCount };
    enum class Action { none, start, back };

    // Starts on the heroine `character` (else the first) and difficulty
    // `level` (a GameSetting level code).
    PracticeChoice(int character, int level);

    // One press: `pressed` holds the buttons that went down this frame;
    // `confirm` and `cancel` the masks of the shoot and bomb actions.
    Action press(int pressed, int confirm, int cancel);

    Row getRow() const { return row; }
    const StageHeroine& getHeroine() const;
    int getLevel() const;
    bool isBoss() const { return bossKind; }
    // The part of her stage, or the boss (an index of bossRows()).
    int getWhere() const { return whereIndex; }
    // The play as chosen: where it starts and its start status.
    StageStart plan() const;
    // The shot level shown: the chosen one, else the start's default.
    int shownPower() const;
    int getLives() const { return livesCount; }
    int getStock() const { return stockCount; }

  private:
    void change(int step);
    int whereCount() const;

    Row row = heroine;
    int heroineIndex = 0;
    int levelIndex = 1;
    bool bossKind = false;
    int whereIndex = 0;
    std::optional<int> chosenPower;  // unset: the start's default
    int livesCount;
    int stockCount;
};

class PracticeScene : public veru::dxt::Scene {
  public:
    // Plays the chosen practice: hands `start` and `level` to `heroine`'s
    // stage scene, which the scene then leaves for (by its next exit).
    using Starter =
        std::function<void(const StageHeroine& heroine, const StageStart& start, int level)>;

    PracticeScene(veru::dxt::SceneManager* manager, GameSetting* setting,
                  veru::dxt::PlayStatus* status, Starter starter);
    ~PracticeScene() override;

    void reset() override;
    bool create(veru::platform::Window* window, veru::platform::VideoDevice* device) override;
    void update(veru::dxt::event::InputInterface* input) override;
    void draw(veru::platform::VideoDevice* device) override;
    void release() override;

    const PracticeChoice& getChoice() const { return choice; }
    bool isFadingOut() const { return fadingOut; }

  private:
    // The picture of `text` in `colour`, made once and kept.
    veru::dxt::material::Texture* text(const veru::YString& text, unsigned colour, int size);
    void drawRow(int row, const veru::YString& label, const veru::YString& value, int y);

    GameSetting* setting;
    veru::dxt::PlayStatus* status;
    Starter starter;
    PracticeChoice choice;
    bool opened = false;  // the choice has been offered once
    veru::dxt::event::HeldButtonLatch latch;
    int lastButtons = 0;
    bool fadingOut = false;
    veru::dxt::FadeLayer fade;
    std::unique_ptr<veru::dxt::DirectGraphics> graphics;
    std::unique_ptr<veru::dxt::material::Surface> background;
    std::vector<std::unique_ptr<veru::dxt::material::Texture>> portraits;  // one per boss row
    // The words drawn so far, by text, colour and size.
    std::map<std::tuple<veru::YString, unsigned, int>,
             std::unique_ptr<veru::dxt::material::Texture>>
        texts;
    veru::sound::ISound* startSound = nullptr;
    veru::sound::ISound* cancelSound = nullptr;
};

}  // namespace ml
