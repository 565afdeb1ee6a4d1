#include "game/StageView.h"

#include "engine/core/MessageBox.h"
#include "engine/exceptions/Exception.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Surface.h"
#include "engine/material/Texture.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/ReadAhead.h"
#include "game/ResultsCard.h"
#include "game/StageHeroine.h"
#include "game/StageHud.h"
#include "game/StageModel.h"
#include "game/StageTalk.h"
#include "game/shooting/cmp/AlphaParts.h"
#include "game/shooting/cmp/BossFace.h"
#include "game/shooting/cmp/ContinueDialog.h"
#include "game/shooting/cmp/PauseMenu.h"
#include "game/shooting/cmp/ScrollBackground.h"
#include "game/shooting/object/bosses/Boss.h"
#include "game/shooting/object/enemies/EnemyObject.h"
#include "game/shooting/object/items/ItemObject.h"
#include "game/shooting/object/players/PlayerCharacter.h"

namespace ml {

namespace {

// Where the wreck turns on the game-over screen.
constexpr int kWreckLeftX = 150;
constexpr int kWreckRightX = 650;
constexpr int kWreckY = 270;

constexpr char16_t kGameOverPicture[] = u"img/GameOver.ysf";

}  // namespace

StageView::StageView() = default;
StageView::~StageView() = default;

void StageView::load(veru::platform::VideoDevice* device, int w, int h) {
    width = w;
    height = h;
    graphics = std::make_unique<veru::dxt::DirectGraphics>(device);
    // The balloons are loaded with the rest: a missing one is the same
    // error box as any other missing picture.
    stageTalk = std::make_unique<StageTalk>(device, width, height);
    this->device = device;
}

void StageView::loadMenus(veru::platform::VideoDevice* device) {
    fadeLayer.create(device);
    pause = std::make_unique<shooting::cmp::PauseMenu>(width, height);
    pause->load(device);
    continueBox = std::make_unique<shooting::cmp::ContinueDialog>(width, height);
    continueBox->load(device);
    results = std::make_unique<ResultsCard>(width);
    results->load(device);
}

void StageView::readAhead() {
    shooting::cmp::PauseMenu(0, 0).load(nullptr);
    shooting::cmp::ContinueDialog(0, 0).load(nullptr);  // the results card's yes and no too
}

void StageView::readGameOverAhead() {
    if (gameOverTried || gameOverReader.joinable())
        return;
    try {
        // The load on the main thread meets what fails here again and shows it.
        gameOverReader = std::jthread(veru::dxt::readAheadJob(
            [] { veru::dxt::material::Surface().load(kGameOverPicture, nullptr); }));
    } catch (const std::system_error&) {
        // No thread: the screen is decoded when it is needed.
    }
}

veru::dxt::material::Surface* StageView::gameOver() {
    if (!gameOverTried) {
        gameOverTried = true;
        if (gameOverReader.joinable())
            gameOverReader.join();
        auto picture = std::make_unique<veru::dxt::material::Surface>();
        try {
            picture->load(kGameOverPicture, device);
            gameOverScreen = std::move(picture);
        } catch (const veru::excp::Exception& e) {
            veru::awt::showError(e.getMessage());
        }
    }
    return gameOverScreen.get();
}

void StageView::release() {
    if (gameOverReader.joinable()) {
        gameOverReader.request_stop();
        gameOverReader.join();
    }
    graphics.reset();
    gameOverScreen.reset();
    gameOverTried = false;
    device = nullptr;
    fadeLayer.release();
    stageTalk.reset();
    pause.reset();
    continueBox.reset();
    results.reset();
}

void StageView::draw(const StageModel& model, const StageHud& hud, const StageHeroine& heroine,
                     const veru::dxt::PlayStatus& status) {
    if (!graphics || !model.getPlayer())
        return;
    veru::dxt::DirectGraphics& g = *graphics;
    const int phase = model.getPhase();
    const StageContent& content = model.getContent();
    bool blackOut = false;
    g.setCentred(true);

    if (phase == stage::kResults) {
        results->draw(g);  // over black: the field has faded out
    } else if (phase == stage::kGameOver) {
        // Without its picture (its box shown) the screen stays black.
        veru::dxt::material::Surface* screen = gameOver();
        blackOut = screen == nullptr;
        if (screen)
            g.copySurface(screen);
        if (veru::dxt::material::Texture* wreck = model.getPlayer()->getExplosionTexture()) {
            g.queueSprite(wreck, kWreckLeftX, kWreckY, model.getWreckAngle());
            g.queueSprite(wreck, kWreckRightX, kWreckY, model.getWreckAngle());
        }
    } else {
        drawField(g, model, hud, heroine, status);
    }
    if (phase == stage::kFadeIn || phase == stage::kEnding || phase == stage::kGameOver) {
        fadeLayer.setAlpha(blackOut ? 255 : model.getFadeAlpha());
        fadeLayer.queue(g, width, height);
    }
    if (content.infoEnd)
        content.infoEnd->draw(g);
    if (phase == stage::kPaused)
        pause->draw(g);
    if (phase == stage::kContinue) {
        continueBox->draw(g);
        readGameOverAhead();
    }
    g.setCentred(true);
    g.flushSprites(true, true);
    g.flushQuads();
    g.setCentred(false);
}

// The field stays on screen, frozen, behind the pause menu and the continue
// dialog.
void StageView::drawField(veru::dxt::DirectGraphics& g, const StageModel& model,
                          const StageHud& hud, const StageHeroine& heroine,
                          const veru::dxt::PlayStatus& status) {
    const int phase = model.getPhase();
    const int shown = model.shownPhase();
    const StageContent& content = model.getContent();
    shooting::object::PlayerCharacter& player = *model.getPlayer();

    model.getBackground()->draw(g);
    // Hotaru's shots are hidden while she is not in play (the talk, the
    // fades); Shiro's are always drawn.
    if (heroine.showShots)
        heroine.showShots(player, stage::playerInPlay(shown));
    player.draw(g);
    if (content.boss && phase != stage::kFadeIn && phase != stage::kEnding)
        content.boss->draw(g);
    if (phase == stage::kTalk)
        stageTalk->draw(g);
    if (shown == stage::kShooting) {
        for (const auto& enemy : model.getActiveEnemies())
            enemy->draw(g);
        for (const StageModel::ItemList* items :
             {&content.chanceItems, &content.kintubaItems, &content.levelUpItems}) {
            for (const auto& item : *items)
                item->draw(g);
        }
    }
    hud.draw(g, status);
    if (shown == stage::kBossBattle) {
        if (content.bossFace)
            content.bossFace->draw(g);
        hud.drawBossGauge(g);
    }
    if (content.infoStart1)
        content.infoStart1->draw(g);
    if (content.infoStart2)
        content.infoStart2->draw(g);
}

}  // namespace ml
