#include "game/StageHud.h"

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"
#include "engine/scene/PlayStatus.h"
#include "game/StageBounds.h"
#include "game/StageHeroine.h"
#include "game/shooting/cmp/BossGauge.h"
#include "game/shooting/cmp/IconCounter.h"
#include "game/shooting/cmp/KintubaGauge.h"
#include "game/shooting/cmp/ScoreDisplay.h"

namespace ml {

using namespace shooting::cmp;

StageHud::StageHud() = default;
StageHud::~StageHud() = default;

void StageHud::load(veru::platform::VideoDevice* device, const StageHeroine& heroine,
                    const veru::dxt::PlayStatus& status, int lastScore, int hiScore, int width,
                    int height) {
    infoArea = std::make_unique<veru::dxt::material::Texture>();
    infoArea->load(heroine.infoArea, device);
    infoAreaX = infoArea->getWidth() >> 1;
    infoAreaY = (infoArea->getHeight() >> 1) + stage::kFieldHeight;

    kintubaGauge = heroine.makeGauge(status.gauge);
    kintubaGauge->load(device);
    kintubaGauge->setPosition(400 - kintubaGauge->width(), height + 4 - kintubaGauge->height());

    const int rowRight = kintubaGauge->getX() + (kintubaGauge->frameWidth() >> 1);
    livesCounter = std::make_unique<IconCounter>();
    livesCounter->load(device, heroine.lifeIcon, rowRight, 495);
    stockCounter = std::make_unique<IconCounter>();
    // The stock row lies 5 pixels below the lives row.
    stockCounter->load(device, heroine.stockIcon, rowRight, livesCounter->getIconHeight() + 500);

    scoreDisplay = std::make_unique<ScoreDisplay>();
    scoreDisplay->setLabel(u"Score-");
    scoreDisplay->load(device);
    scoreDisplay->setValue(lastScore);
    scoreDisplay->setPosition(width - scoreDisplay->width() - 20, 10);
    hiScoreDisplay = std::make_unique<ScoreDisplay>();
    hiScoreDisplay->setLabel(u"Hi Score-");
    hiScoreDisplay->load(device);
    hiScoreDisplay->setValue(hiScore);
    hiScoreDisplay->setPosition(scoreDisplay->getX() - hiScoreDisplay->width() - 20, 10);
}

void StageHud::loadBossGauge(veru::platform::VideoDevice* device, int bossHp, int height) {
    bossHpGauge = std::make_unique<BossGauge>(bossHp);
    bossHpGauge->load(device);
    bossHpGauge->setPosition(790 - bossHpGauge->width(), height - (bossHpGauge->height() + 10));
}

void StageHud::release() {
    infoArea.reset();
    kintubaGauge.reset();
    livesCounter.reset();
    stockCounter.reset();
    hiScoreDisplay.reset();
    scoreDisplay.reset();
    bossHpGauge.reset();
}

void StageHud::updateScores() {
    if (scoreDisplay->getTarget() > hiScoreDisplay->getTarget())
        hiScoreDisplay->setTarget(scoreDisplay->getTarget());
    scoreDisplay->update();
    hiScoreDisplay->update();
}

int StageHud::scoreTarget() const {
    return scoreDisplay ? scoreDisplay->getTarget() : 0;
}

int StageHud::hiScoreTarget() const {
    return hiScoreDisplay ? hiScoreDisplay->getTarget() : 0;
}

void StageHud::draw(veru::dxt::DirectGraphics& g, const veru::dxt::PlayStatus& status) const {
    g.queueSprite(infoArea.get(), infoAreaX, infoAreaY);
    kintubaGauge->draw(g);
    livesCounter->draw(g, status.lives);
    stockCounter->draw(g, status.stock);
    scoreDisplay->draw(g);
    hiScoreDisplay->draw(g);
}

void StageHud::drawBossGauge(veru::dxt::DirectGraphics& g) const {
    bossHpGauge->draw(g);
}

}  // namespace ml
