#include "game/shooting/object/TrialBoss.h"

#include "engine/material/Texture.h"
#include "engine/sound/SoundManger.h"
#include "game/shooting/object/EnemyBullets.h"
#include "game/shooting/object/RoundBullets.h"

namespace ml::shooting::object {

namespace {

constexpr int fullHp = 1000;
constexpr double pinchRatio = 0.34;
constexpr int fanCopies = 3;
constexpr int spinSweepMax = 120;
constexpr int spinSweepStep = 5;
constexpr int bobStep = 3;
constexpr int animationPeriod = 5;

}  // namespace

TrialBoss::TrialBoss(int field_width, int field_height)
    : Boss(field_width, field_height, fullHp, pinchRatio) {
    state = STATE_STANDBY;
    stop_distance = 100;
    score = 500000;
    setLevel(LEVEL_1);
}

TrialBoss::~TrialBoss() = default;

void TrialBoss::applyLevel(int level_) {
    Boss::applyLevel(level_);
    fire_period = byLevel(70, 60, 40);
}

void TrialBoss::loadSounds(SoundManger& manager) {
    loadVoices(manager, {});
    bullet_sound = manager.getSound(veru::YString(u"sound/bullet.wav"));
}

void TrialBoss::loadTextures(VideoDevice* loader) {
    loadPictures(loader, {.picture = u"img/seiichirou.ytx",
                          .battle = u"img/seiichirou_battle.ytx",
                          .damage = u"img/seiichirou_damage.ytx",
                          .change = u"img/seiichirou.ytx",
                          .bullets = u"img/arc_red_bullet.ytx"});
    ring_texture = loadPicture(loader, u"img/arc_red.ytx");
    setHitParts({{60, 28, 15, 15}, {64, 82, 8, 36}});
}

void TrialBoss::move(int target_x, int target_y) {
    countFrame();
    if (changeIfPinched()) {
        moving_down = false;
        fire_period = byLevel(80, 70, 60) / 4;
        // The change begins at once: nothing more is fired in this frame.
        return;
    }
    if (frame % animationPeriod == 0) {
        animate();
    }
    if (fire_period > 0 && frame % fire_period == 0) {
        fireFans(target_x, target_y);
        fireRing();
    }
    bob(bobStep);
}

void TrialBoss::fireFans(int target_x, int target_y) {
    for (int i = 0; i < fanCopies; ++i) {
        firePattern(std::make_unique<EnemyBullets>(KIND_ENEMY_ATTACK, field_width, field_height,
                                            byLevel(5, 10, 15), false, LEVEL_MIN + difficulty),
             bullet_texture.get(), x, y, target_x, target_y, 2, 3);
    }
    playSound(bullet_sound);
}

void TrialBoss::fireRing() {
    if (!ring_throttle.pass()) {
        return;
    }
    firePattern(std::make_unique<RoundBullets>(KIND_ENEMY_ATTACK, field_width, field_height,
                                        byLevel(5, 10, 15), 180, byLevel(10, 15, 20), false),
         ring_texture.get(), x, y, -1, -1, 3, 3);
}

void TrialBoss::fireSpin(int first_angle) {
    firePattern(std::make_unique<RoundBullets>(KIND_ENEMY_ATTACK, field_width, field_height,
                                        byLevel(3, 3, 5), first_angle, byLevel(10, 20, 24),
                                        false),
         bullet_texture.get(), x, y, -1, -1, 2, 3);
    playSound(bullet_sound);
}

void TrialBoss::pinchMove(int /*target_x*/, int /*target_y*/) {
    countFrame();
    if (frame % animationPeriod == 0) {
        animate();
    }
    if (fire_period <= 0 || frame % fire_period != 0) {
        return;
    }
    fireSpin(move_frame);
    fireRing();
    // The bobbing flag, cleared at the change, now turns the sweep.
    sweep(move_frame, moving_down, 0, spinSweepMax, spinSweepStep);
}

}  // namespace ml::shooting::object
