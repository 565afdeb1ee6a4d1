#include "frontend/ReplayWatch.h"

#include <iterator>
#include <utility>

#include "engine/graphics/DirectGraphics.h"
#include "engine/input/ButtonMap.h"
#include "engine/material/Texture.h"
#include "frontend/MenuText.h"
#include "game/ShootingScene.h"
#include "game/StageBounds.h"
#include "game/StageHeroine.h"

namespace ml {

using veru::dxt::event::ButtonMap;

namespace {
constexpr int kLabelSize = 22;
constexpr std::uint32_t kLabelColour = 0xFFFFF0C0u;
constexpr int kMargin = 10;
constexpr int kSpeedLabelY = 34;  // under the scores along the field's top
constexpr int kShadeAlpha = 150;
constexpr int kPausedLabel = 3;
}  // namespace

ReplayWatch::ReplayWatch(veru::dxt::SceneManager* manager, GameSetting* settings,
                         veru::dxt::PlayStatus* status)
    : manager(manager), settings(settings), status(status) {}

ReplayWatch::~ReplayWatch() {
    stop();
}

void ReplayWatch::makeLabels(veru::platform::VideoDevice* device) {
    const char16_t* speeds[] = {u"REPLAY ×1", u"REPLAY ×2", u"REPLAY ×4"};
    for (int i = 0; i < 3; ++i)
        labels[i] = textPicture(device, speeds[i], kLabelSize, kLabelColour);
    labels[kPausedLabel] = textPicture(
        device,
        inGameLanguage(u"一時停止中\nポーズ：再開　ショット：速さ　ボム：リストにもどる",
                       u"Paused\nPause: go on   Shot: speed   Bomb: back to the list"),
        kLabelSize, kLabelColour);
    shade = flatPicture(device, 0xFF000000u);
}

bool ReplayWatch::start(StageReplay replay, veru::platform::Window* window,
                        veru::platform::VideoDevice* device) {
    stop();
    const StageHeroine* heroine = findHeroine(replay.character);
    if (!heroine)
        return false;
    // The stage puts the recording's masks in force: the controls keep the
    // player's own.
    const ButtonMap& map = ButtonMap::global();
    pauseMask = map.mask(ButtonMap::kPause);
    speedMask = map.mask(ButtonMap::kShoot);
    leaveMask = map.mask(ButtonMap::kBomb);
    lastButtons = ~0;  // what is held now (the choosing press) counts once released
    paused = false;
    speedIndex = 0;
    stage = std::make_unique<ShootingScene>(manager, settings, status, *heroine);
    stage->watchReplay(std::move(replay));
    stage->reset();
    if (!stage->create(window, device)) {
        stage->release();
        stage.reset();
        return false;
    }
    graphics = std::make_unique<veru::dxt::DirectGraphics>(device);
    makeLabels(device);
    return true;
}

bool ReplayWatch::update(int buttons) {
    if (!stage)
        return false;
    const int pressed = buttons & ~lastButtons;
    lastButtons = buttons;
    if (pressed & leaveMask) {
        stop();
        return false;
    }
    if (pressed & pauseMask)
        paused = !paused;
    if (pressed & speedMask)
        speedIndex = (speedIndex + 1) % static_cast<int>(std::size(kSpeeds));
    if (paused)
        return true;
    for (int i = 0; i < getSpeed(); ++i) {
        stage->update(nullptr);  // the recording's words, never the player's
        if (stage->getRequest() != veru::dxt::kRequestNone) {
            stop();
            return false;
        }
    }
    return true;
}

void ReplayWatch::draw(veru::platform::VideoDevice* device) {
    if (!stage)
        return;
    stage->draw(device);
    if (!graphics)
        return;
    graphics->startSprite();
    graphics->setCentred(false);
    if (veru::dxt::material::Texture* speed = labels[speedIndex].get())
        graphics->queueSprite(speed, stage::kFieldWidth - speed->getWidth() - kMargin,
                              kSpeedLabelY);
    veru::dxt::material::Texture* pausedLine = labels[kPausedLabel].get();
    if (paused && pausedLine) {
        const int y = (stage::kFieldHeight - pausedLine->getHeight()) / 2;
        if (shade) {
            shade->setAlpha(kShadeAlpha);
            graphics->queueSprite(shade.get(), 0, y - kMargin,
                                  static_cast<float>(stage::kFieldWidth),
                                  static_cast<float>(pausedLine->getHeight() + 2 * kMargin));
        }
        graphics->queueSprite(pausedLine, (stage::kFieldWidth - pausedLine->getWidth()) / 2, y);
    }
    graphics->flushSprites(false, false);
    graphics->endSprite();
}

void ReplayWatch::stop() {
    if (!stage)
        return;
    stage->stopMusic();
    stage->release();  // the player's own settings and status again
    stage.reset();
    graphics.reset();
    for (auto& label : labels)
        label.reset();
    shade.reset();
}

}  // namespace ml
