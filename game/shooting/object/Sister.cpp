#include "game/shooting/object/Sister.h"

#include <array>

#include "engine/effects/Random.h"
#include "engine/material/Texture.h"
#include "engine/sound/SoundManger.h"
#include "game/shooting/object/FireBall.h"
#include "game/shooting/object/RoundBullets.h"
#include "game/shooting/object/SpecialFlyingPan.h"
#include "game/shooting/object/ThrustFlyingPan.h"

namespace ml::shooting::object {

namespace {

constexpr std::array<int, 3> panAngles{220, 180, 140};
constexpr int panSpeed = 10;
constexpr int fireBallPeriod = 30;
constexpr int ringPeriod = 60;
constexpr int fireBallY = 450;
constexpr std::array<int, 13> fireBallXs{400, 430, 370, 365, 370, 380, 430,
                                         450, 375, 360, 405, 380, 450};

}  // namespace

Sister::Sister(int field_width, int field_height)
    : BigBoss(field_width, field_height, 5000, 0.34, 70) {
    score = 300000;
    setLevel(LEVEL_1);
}

Sister::~Sister() = default;

void Sister::loadSounds(SoundManger& manager) {
    loadVoices(manager, {.go = u"sound/go_sister.wav", .dead = u"sound/dead_sister.wav"});
    bullet_sound = manager.getSound(veru::YString(u"sound/bullet.wav"));
    swing_sound = manager.getSound(veru::YString(u"sound/swing1.wav"));
    big_swing_sound = manager.getSound(veru::YString(u"sound/swing2.wav"));
}

void Sister::loadTextures(VideoDevice* loader) {
    loadPictures(loader, {.picture = u"img/sisterSD.ytx",
                          .damage = u"img/sister_damage.ytx",
                          .explosion_spread = 100});
    big_texture = loadPicture(loader, u"img/sister.ytx");
    pan_texture = loadPicture(loader, u"img/flying_pan.ytx");
    flare_texture = loadPicture(loader, u"img/flare.ytx");
    ring_texture = loadPicture(loader, u"img/arc_yerrow.ytx");
    setHitParts({{176, 160, 28, 67}, {265, 156, 93, 92}, {282, 381, 76, 130}, {379, 453, 20, 58}});
}

void Sister::changeStep() {
    fadeMove(field_width - 2 * stop_distance, bigHeight() / 2 + descent, 17);
}

void Sister::throwPan(int angle) {
    firePattern(std::make_unique<ThrustFlyingPan>(KIND_ENEMY_ATTACK, field_width, field_height,
                                                  panSpeed, angle, byLevel(60, 50, 60)),
                pan_texture.get(), x, y, -1, -1, 5, 5);
}

void Sister::fireRing(int first_angle) {
    firePattern(std::make_unique<RoundBullets>(KIND_ENEMY_ATTACK, field_width, field_height,
                                               byLevel(3, 5, 10), first_angle % 360,
                                               byLevel(5, 10, 20), true),
                ring_texture.get(), x, y, -1, -1, 5, 5);
    playSound(bullet_sound);
}

void Sister::throwPans() {
    const int in_turn = throws % 4;
    throws += 1;
    if (in_turn < 3) {
        throwPan(panAngles[static_cast<std::size_t>(in_turn)]);
        playSound(swing_sound);
        return;
    }
    for (int angle : panAngles) {
        throwPan(angle);
    }
    playSound(big_swing_sound);
    fireRing(30 * throws);
    charge_step = 1;
    charge_frame = 0;
    charge_from = x;
}

void Sister::charge() {
    charge_frame += 1;
    if (charge_step == 1) {
        x -= 1;
        if (charge_frame >= chargeFrames || x <= field_width / 3) {
            charge_step = 2;
            charge_frame = 0;
        }
        return;
    }
    x += 3;
    if (charge_frame % throwPeriod == 0) {
        fireRing(30 * throws);
    }
    if (x >= charge_from) {
        x = charge_from;
        charge_step = 0;
        clearFrame();
    }
}

void Sister::move(int /*target_x*/, int /*target_y*/) {
    countFrame();
    if (changeIfPinched()) {
        charge_step = 0;
        return;
    }
    if (charge_step != 0) {
        charge();
    } else if (frame % throwPeriod == 0) {
        throwPans();
    }
}

void Sister::pinchMove(int /*target_x*/, int /*target_y*/) {
    countFrame();
    if (pinch_frame == 0) {
        auto pan = std::make_unique<SpecialFlyingPan>(KIND_ENEMY_ATTACK, field_width,
                                                      field_height, field_height);
        firePattern(std::move(pan), pan_texture.get(), x, y, -1, -1, 5, 5);
        playSound(big_swing_sound);
    }
    // Counted apart from the frame counter, which wraps: the pause before the
    // fire balls comes once.
    if (pinch_frame <= fireBallDelay) {
        pinch_frame += 1;
        return;
    }
    if (frame % fireBallPeriod == 0) {
        int vx = -1;
        int vy = -1;
        if (difficulty > 0) {
            const int fastest = difficulty == 1 ? -3 : -5;
            vx = veru::dxt::effect2D::randomInt(fastest, -1);
            vy = veru::dxt::effect2D::randomInt(fastest, -1);
        }
        const int spot = fireBallXs[static_cast<std::size_t>(fire_balls) % fireBallXs.size()];
        fire_balls += 1;
        firePattern(std::make_unique<FireBall>(KIND_ENEMY_ATTACK, field_width, field_height, vx,
                                               vy, 5, 1),
                    flare_texture.get(), spot, fireBallY, -1, -1, 0, 0);
    }
    if (frame % ringPeriod == 0) {
        fireRing(ring_angle);
        ring_angle = (ring_angle + 30) % 360;
    }
}

}  // namespace ml::shooting::object
