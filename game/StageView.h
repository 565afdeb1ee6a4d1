#pragma once
// StageView: how a shooting stage looks. Draws a StageModel with its HUD:
// the backdrop, the player, enemies, items and boss, the talk, the start
// and stage-clear captions, the fade layer, the game-over screen, the
// pause menu and continue dialog over a frozen field, and the results card
// after the play. It also owns those talk, menu and card screens, which the
// scene feeds with the buttons.
//
// Ownership: owns its pictures and screens from load until release;
// borrows the model and HUD while it draws them.
// Thread: main thread only.
// Failure: load throws the picture's exception for a missing or broken
// picture.

#include <memory>

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

    // The talk's balloons and the game-over screen, for a window of
    // `width` x `height`.
    void load(veru::platform::VideoDevice* device, int width, int height);
    // The fade layer, the pause menu, the continue dialog and the results card.
    void loadMenus(veru::platform::VideoDevice* device);
    // On a worker holding a PreloadPass: decodes the game-over screen and the
    // menus' pictures into the preload store, for load and loadMenus.
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

    int width = 0;
    int height = 0;
    std::unique_ptr<veru::dxt::DirectGraphics> graphics;
    std::unique_ptr<veru::dxt::material::Surface> gameOverScreen;
    veru::dxt::FadeLayer fadeLayer;
    std::unique_ptr<StageTalk> stageTalk;  // portraits and talk boxes
    std::unique_ptr<shooting::cmp::PauseMenu> pause;
    std::unique_ptr<shooting::cmp::ContinueDialog> continueBox;
    std::unique_ptr<ResultsCard> results;
};

}  // namespace ml
