#include "game/shooting/object/players/Vuzez.h"

#include <memory>

#include "engine/material/Texture.h"
#include "game/shooting/object/patterns/QuintupletBullets.h"
#include "game/shooting/object/patterns/RoundBullets.h"
#include "game/shooting/object/patterns/StraightBullets.h"
#include "game/shooting/object/patterns/StrongBullets.h"
#include "game/shooting/object/patterns/TripletBullets.h"
#include "game/shooting/object/patterns/TwinBullets.h"

namespace ml::shooting::object {

namespace {

constexpr int kShotSpeed = 15;
constexpr int kSlowSpeed = 2;
constexpr int kSpeed = 5;
constexpr int kBurstSteps = 100;  // the burst ends on the step after this many
constexpr int kRingBullets = 20;
constexpr int kRingSpeed = 35;
constexpr int kRingPower = 2;
constexpr int kBombSoundFrame = 100;

}  // namespace

Vuzez::Vuzez(int fieldWidth, int fieldHeight)
    : PlayerCharacter(fieldWidth, fieldHeight, kBombSoundFrame) {}

Vuzez::~Vuzez() = default;

void Vuzez::loadTextures(VideoDevice* device) {
    adoptTexture(loadSheet(device, u"img/vuzez.ytx", 4, 128, 128));
    setBulletTexture(loadPicture(device, u"img/rabbit_bullet.ytx"));
    setExplosionTexture(loadPicture(device, u"img/vuzez_damage.ytx"));
    loadBombTexture(device);
    loadHitMarker(device);
    setHitArea(-20, -11, 20, 11);
    base_hit = HitRect{hit_left, hit_top, hit_right, hit_bottom};
}

void Vuzez::loadSounds(SoundManger& manager) {
    loadCommonSounds(manager, {u"sound/down_siro.wav", u"sound/go_siro.wav", u"sound/dead_siro.wav",
                               u"sound/bullet.wav", u"sound/get_siro.wav", u"sound/clear_siro.wav",
                               u"sound/charge.wav", u"sound/bomb.wav"});
}

void Vuzez::setScale(float ratio) {
    scale = 2.0f - ratio;
    setHitArea(static_cast<int>(static_cast<float>(base_hit.left) * scale),
               static_cast<int>(static_cast<float>(base_hit.top) * scale),
               static_cast<int>(static_cast<float>(base_hit.right) * scale),
               static_cast<int>(static_cast<float>(base_hit.bottom) * scale));
}

int Vuzez::activeSpeed(int buttons) {
    return slowHeld(buttons) ? kSlowSpeed : kSpeed;
}

void Vuzez::shoot() {
    std::unique_ptr<ISkill> volley;
    const int fw = field_width;
    const int fh = field_height;
    switch (levelIndex()) {
        case 0:
            volley = std::make_unique<StraightBullets>(KIND_PLAYER_ATTACK, fw, fh, kShotSpeed, 0);
            break;
        case 1:
            volley = std::make_unique<TwinBullets>(KIND_PLAYER_ATTACK, fw, fh, kShotSpeed);
            break;
        case 2:
            volley = std::make_unique<TripletBullets>(KIND_PLAYER_ATTACK, fw, fh, kShotSpeed);
            break;
        case 3:
            volley = std::make_unique<QuintupletBullets>(KIND_PLAYER_ATTACK, fw, fh, kShotSpeed);
            break;
        default:
            volley = std::make_unique<StrongBullets>(KIND_PLAYER_ATTACK, fw, fh, kShotSpeed);
            break;
    }
    // From the front edge of the hit rectangle, level with the centre.
    fireSkill(std::move(volley), bullet_texture.get(), getHitRect().right, y, 4, 9, 1);
}

void Vuzez::bombSounds(int counter) {
    if (counter == kBombSoundFrame) {
        startBurstSound();
    }
}

bool Vuzez::bombStep() {
    bomb_count += 1;
    if (bomb_count > kBurstSteps) {
        stopSound(bomb_sound);
        return true;
    }
    if (bomb_count % 2 != 0) {
        return false;
    }
    // A ring on every second step, each turned by the frame counter.
    auto ring = std::make_unique<RoundBullets>(KIND_BOMB_ATTACK, field_width, field_height,
                                               kRingSpeed, frame % 360, kRingBullets, true);
    fireSkill(std::move(ring), bullet_texture.get(), x, y, 5, 5, kRingPower);
    return false;
}

}  // namespace ml::shooting::object
