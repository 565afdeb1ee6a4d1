#include "game/shooting/object/players/PlayerCharacter.h"

#include <algorithm>

#include "engine/graphics/DirectGraphics.h"
#include "engine/input/InputInterface.h"
#include "engine/material/Texture.h"
#include "engine/sound/SoundManger.h"
#include "game/shooting/object/enemies/EnemyObject.h"

namespace ml::shooting::object {

namespace {

using veru::dxt::event::kButtonDown;
using veru::dxt::event::kButtonLeft;
using veru::dxt::event::kButtonRight;
using veru::dxt::event::kButtonUp;

constexpr int kEntryEnd = 70;  // x where the first entry run ends
constexpr int kReentryStart = -50;
constexpr int kReentryEnd = 100;  // x where a re-entry run ends
constexpr int kReentryStep = 5;
constexpr int kRecoverFrames = 120;
constexpr int kFallStep = 5;
constexpr int kAnimationPeriod = 5;  // frames per animation cell
constexpr int kChargeFrames = 100;   // the bomb charges until its counter reaches this

bool alive(const ShootingObject& object) {
    return isHittableState(object.getState());
}

// The character's body as the boss's own collision test sees it: the same
// kind and hit rectangle, but always hittable, so that touching the boss does
// not depend on the character's state (the scene decides when to ask).
class BodyProbe : public ShootingObject {
  public:
    explicit BodyProbe(const ShootingObject& body)
        : ShootingObject(body.getKind(), body.getFieldWidth(), body.getFieldHeight(), false) {
        state = STATE_ACTIVE;
        setPosition(body.getX(), body.getY());
        setHitArea(body.getHitLeft(), body.getHitTop(), body.getHitRight(), body.getHitBottom());
    }
    void reset() override {}
    void kill() override {}
    void draw(Graphics&) override {}
};

}  // namespace

PlayerCharacter::PlayerCharacter(int fieldWidth, int fieldHeight, int bombSoundFrame)
    : PlayerObject(fieldWidth, fieldHeight),
      bombSoundFrame(bombSoundFrame),
      buttonMap(&veru::dxt::event::ButtonMap::global()) {
    setHp(1);
    setState(STATE_ACTIVE);
    setLevel(LEVEL_1);
}

PlayerCharacter::~PlayerCharacter() = default;

void PlayerCharacter::kill() {
    clearFrame();
}

bool PlayerCharacter::shotHeld(int buttons) const {
    return buttonMap->held(veru::dxt::event::ButtonMap::kShoot, buttons);
}

bool PlayerCharacter::slowHeld(int buttons) const {
    return buttonMap->held(veru::dxt::event::ButtonMap::kSlow, buttons);
}

int PlayerCharacter::levelIndex() const {
    return std::clamp(getLevel() - LEVEL_1, 0, LEVEL_5 - LEVEL_1);
}

// ---- the scene's calls ----------------------------------------------------

void PlayerCharacter::enter() {
    setState(STATE_ENTRY);
    setPosition(-2 * hit_right, field_height / 2);
    if (texture) {
        texture->setAlpha(respawn_alpha);
    }
}

void PlayerCharacter::reenter() {
    last_life = false;
    enter();
    x = kReentryStart;
    setState(STATE_REENTRY);
    // The fall took the only hit point; a character flying again has it back.
    setHp(1);
}

void PlayerCharacter::startBomb() {
    bomb_count = 0;
    bomb_sound_held = false;
    setState(STATE_BOMB);
    playSound(charge_sound);
    clearFrame();
    if (texture) {
        texture->setAlpha(150);
    }
}

void PlayerCharacter::activate() {
    setState(STATE_ACTIVE);
}

bool PlayerCharacter::bombSoundStarted() const {
    // The sound starts within the update that brings the counter to
    // bombSoundFrame, so a pause right after that update finds it playing.
    return bomb_sound && getState() == STATE_BOMB && frame >= bombSoundFrame;
}

void PlayerCharacter::pauseBombSound() {
    if (getState() != STATE_BOMB) {
        return;
    }
    bomb_sound_held = true;
    if (bombSoundStarted()) {
        bomb_sound->stop();
    }
}

void PlayerCharacter::resumeBombSound() {
    bomb_sound_held = false;
    if (bombSoundStarted()) {
        bomb_sound->play(true);
    }
}

void PlayerCharacter::startBurstSound() {
    if (!bomb_sound_held) {
        playSound(bomb_sound, true);
    }
}

void PlayerCharacter::playClearSound() {
    playSound(clear_sound);
}

void PlayerCharacter::playGetSound() {
    playSound(get_sound);
}

// ---- one frame --------------------------------------------------------------

bool PlayerCharacter::update(int buttons) {
    // A volley whose bullets have all gone is deleted.
    updateFreeSkills();
    switch (getState()) {
        case STATE_ENTRY:
            updateEntry();
            break;
        case STATE_REENTRY:
            updateReentry();
            break;
        case STATE_BOMB:
            updateBomb(buttons);
            break;
        case STATE_ACTIVE:
        case STATE_RECOVER:
            updateActive(buttons);
            break;
        case STATE_DYING:
            updateFall();
            break;
        default:  // ready, gone: nothing moves
            break;
    }
    const int now = getState();
    hit_marker_shown =
        slowHeld(buttons) && (now == STATE_ACTIVE || now == STATE_RECOVER || now == STATE_BOMB);
    return false;
}

void PlayerCharacter::updateEntry() {
    x += 1;
    if (x >= kEntryEnd) {
        if (texture) {
            texture->setAlpha(255);
        }
        setState(STATE_READY);
    }
}

void PlayerCharacter::updateReentry() {
    x += kReentryStep;
    if (x >= kReentryEnd) {
        setState(STATE_RECOVER);
        clearFrame();
    }
}

void PlayerCharacter::updateBomb(int buttons) {
    countFrame();
    if (frame % kAnimationPeriod == 0 && texture) {
        texture->nextFrame();
    }
    bombSounds(frame);
    if (frame >= kChargeFrames && bombStep()) {
        setState(STATE_ACTIVE);
        if (texture) {
            texture->setAlpha(255);
        }
    }
    moveBy(buttons, bombSpeed());
    keepInField();
}

void PlayerCharacter::updateActive(int buttons) {
    countFrame();
    if (getState() == STATE_RECOVER && frame == kRecoverFrames) {
        if (texture) {
            texture->setAlpha(255);
        }
        setState(STATE_ACTIVE);
        clearFrame();
    }
    if (frame % kAnimationPeriod == 0 && texture) {
        texture->nextFrame();
    }
    // The timer runs whether or not the button is held; a shot is allowed
    // on the frame it wraps to -1.
    shot_timer += 1;
    if (shot_timer >= shot_interval) {
        shot_timer = -1;
    }
    beforeShot(buttons);
    moveBy(buttons, activeSpeed(buttons));
    if (shotHeld(buttons) && shot_timer < 0) {
        shoot();
    }
    keepInField();
}

void PlayerCharacter::updateFall() {
    countFrame();
    x -= kFallStep;
    y += kFallStep;
    const HitRect r = getHitRect();
    if (r.right - 3 * hit_left < 0 || r.top + 3 * hit_top > field_height) {
        clearFrame();
        if (last_life) {
            setState(STATE_GONE);
        } else {
            reenter();
        }
    }
}

void PlayerCharacter::moveBy(int buttons, int speed) {
    // Diagonals add both axes, unnormalised.
    if (buttons & kButtonUp) {
        y -= speed;
    }
    if (buttons & kButtonDown) {
        y += speed;
    }
    if (buttons & kButtonLeft) {
        x -= speed;
    }
    if (buttons & kButtonRight) {
        x += speed;
    }
}

void PlayerCharacter::keepInField() {
    // The hit rectangle, not the picture, stays inside the field.
    const HitRect r = getHitRect();
    if (r.left < 0) {
        x = -hit_left;
    } else if (r.right > field_width) {
        x = field_width - hit_right;
    }
    if (r.top < 0) {
        y = -hit_top;
    } else if (r.bottom > field_height) {
        y = field_height - hit_bottom;
    }
}

// ---- shots and hits ---------------------------------------------------------

void PlayerCharacter::fireSkill(std::unique_ptr<ISkill> skill, Texture* picture, int fromX,
                                int fromY, int marginX, int marginY, int power) {
    skill->fire(picture, fromX, fromY, -1, -1, marginX, marginY);
    skill->setPower(power);
    skill->launchAll();
    skills.push_back(std::move(skill));
}

bool PlayerCharacter::hitEnemies(EnemyObject* boss) {
    if (!boss || !alive(*boss)) {
        return false;
    }
    bool hit = false;
    for (const std::unique_ptr<ISkill>& skill : skills) {
        for (const std::unique_ptr<AttackObject>& attack : skill->getAttacks()) {
            // A boss brought down by an earlier bullet of this volley takes
            // no more damage (and is not killed twice).
            if (!alive(*boss)) {
                return hit;
            }
            if (attack->getState() == STATE_GONE || !boss->isHit(*attack)) {
                continue;
            }
            if (skill->vanishesOnHit()) {
                attack->kill();
            }
            boss->damage(attack->getAttackPower());
            hit = true;
        }
        if (hit) {
            break;
        }
    }
    return hit;
}

bool PlayerCharacter::touchesBoss(EnemyObject* boss) {
    return boss && alive(*boss) && boss->isHit(BodyProbe(*this));
}

// ---- drawing ----------------------------------------------------------------

void PlayerCharacter::draw(Graphics& graphics) {
    if (drawsSkills()) {
        drawSkills(graphics);
    }
    if (getState() == STATE_DYING) {
        if (explosion_texture) {
            graphics.queueSprite(explosion_texture.get(), x, y, scale, 4 * frame);
        }
        return;
    }
    if (texture) {
        graphics.queueSprite(texture, x, y, scale);
    }
    if (getState() == STATE_BOMB && frame < kChargeFrames && bomb_texture) {
        // A charge ring shrinking onto the character.
        graphics.queueSprite(bomb_texture.get(), x + chargeOffsetX(), y, 2.0f - 0.02f * frame);
    }
    if (hit_marker_shown && hit_marker) {
        // Stretched over the very rectangle the collisions use, so it grows
        // with the gauge exactly as the hit area does.
        const HitRect r = getHitRect();
        graphics.queueSprite(
            hit_marker.get(), (r.left + r.right) / 2, (r.top + r.bottom) / 2,
            static_cast<float>(r.right - r.left) / static_cast<float>(hit_marker->getCellWidth()),
            static_cast<float>(r.bottom - r.top) / static_cast<float>(hit_marker->getCellHeight()));
    }
}

// ---- loading helpers --------------------------------------------------------

void PlayerCharacter::loadBombTexture(VideoDevice* device) {
    bomb_texture = loadPicture(device, u"img/bomb.ytx", veru::dxt::Color::fromPacked(0xFF000000u));
    bomb_texture->setAlpha(100);
}

void PlayerCharacter::loadHitMarker(VideoDevice* device) {
    hit_marker = loadPicture(device, u"img/hit_marker.ytx");
}

void PlayerCharacter::loadCommonSounds(SoundManger& manager, const SoundNames& names) {
    loadSound(manager, names.hit);
    loadStartSound(manager, names.start);
    loadDeadSound(manager, names.dead);
    bullet_sound = fetchSound(manager, names.bullet);
    get_sound = fetchSound(manager, names.get);
    clear_sound = fetchSound(manager, names.clear);
    charge_sound = fetchSound(manager, names.charge);
    bomb_sound = fetchSound(manager, names.bomb);
}

ISound* PlayerCharacter::fetchSound(SoundManger& manager, const char16_t* path) {
    return manager.getSound(veru::YString(path));
}

}  // namespace ml::shooting::object
