#pragma once
// StageView: how a shooting stage looks. Draws a StageModel with its HUD:
// the backdrop, the player, enemies, items and boss, the talk, the start
// and stage-clear captions, the fade layer, the game-over screen, the
// pause menu and continue dialog over a frozen field, and the results card
// after the play. It also owns those talk, menu and card screens, which the
// scene feeds with the buttons.
//
// The game-over screen is held only once it can be shown: a worker decodes
// it while the continue dialog asks, and it is uploaded when the game is
// over (or decoded then, if the game ends without a dialog). A stage
// cleared or left without losing every life never holds it.
//
// Ownership: owns its pictures and screens from load until release;
// borrows the model and HUD while it draws them, and the device from load
// until release.
// Thread: main thread only; the game-over worker is joined by release and
// the destructor.
// Failure: load throws the picture's exception for a missing or broken
// picture. A missing or broken game-over screen shows its error box when
// the game is over, which then stays black until the title.

#include <memory>
#include <thread>

#include "engine/graphics/FadeLayer.h"
#include "game/StageHud.h"

namespace veru::dxt::material {
class Surface;
}  // namespace veru::dxt::material
namespace ml::shooting::cmp {
class ContinueDialog;
class PauseMenu;
}  // namespace ml::shooting::cmp

namespace ml {

class ResultsCard;
class StageModel;
class StageTalk;

class StageView {
  public:
    StageView();
    ~StageView();

    // The talk's balloons, for a window of `width` x `height`.
    void load(veru::platform::VideoDevice* device, int width, int height);
    // The fade layer, the pause menu, the continue dialog and the results card.
    void loadMenus(veru::platform::VideoDevice* device);
    // On a worker holding a PreloadPass: decodes the menus' pictures into
    // the preload store, for loadMenus.
    static void readAhead();
    void release();
    bool isLoaded() const { return graphics != nullptr; }

    // One frame of the stage as `model` stands, `hud` over its strip.
    void draw(const StageModel& model, const StageHud& hud, const StageHeroine& heroine,
              const veru::dxt::PlayStatus& status);

    StageTalk& talk() const { return *stageTalk; }
    shooting::cmp::PauseMenu* pauseMenu() const { return pause.get(); }
    shooting::cmp::ContinueDialog* continueDialog() const { return continueBox.get(); }
    ResultsCard& resultsCard() const { return *results; }
    const StageTalk* getTalk() const { return stageTalk.get(); }

  private:
    void drawField(veru::dxt::DirectGraphics& g, const StageModel& model, const StageHud& hud,
                   const StageHeroine& heroine, const veru::dxt::PlayStatus& status);
    // The game-over screen decoded on a worker, once.
    void readGameOverAhead();
    // The game-over screen, loaded on first use (null if it could not be).
    veru::dxt::material::Surface* gameOver();

    int width = 0;
    int height = 0;
    std::unique_ptr<veru::dxt::DirectGraphics> graphics;
    veru::platform::VideoDevice* device = nullptr;
    std::unique_ptr<veru::dxt::material::Surface> gameOverScreen;
    bool gameOverTried = false;   // loaded, or its error shown
    std::jthread gameOverReader;  // decodes the screen ahead; joined before the load
    veru::dxt::FadeLayer fadeLayer;
    std::unique_ptr<StageTalk> stageTalk;  // portraits and talk boxes
    std::unique_ptr<shooting::cmp::PauseMenu> pause;
    std::unique_ptr<shooting::cmp::ContinueDialog> continueBox;
    std::unique_ptr<ResultsCard> results;
};

}  // namespace ml
