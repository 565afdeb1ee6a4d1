#include "game/shooting/object/players/Vovizovar.h"

#include "engine/material/Texture.h"
#include "game/shooting/object/patterns/Flare.h"
#include "game/shooting/object/patterns/Lazer.h"
#include "game/shooting/object/patterns/RoundBullets.h"
#include "game/shooting/object/patterns/StraightBullets.h"

namespace ml::shooting::object {

namespace {

enum class Volley { straight, round, flare };
enum class Picture { small, large, flare };

// One weapon: what it fires and, by level (lowest first), how often, how
// hard and with which shape numbers.
struct Weapon {
    Picture picture;
    Volley volley;
    int speed;                         // pixels per pressed direction
    std::array<int, 5> interval;       // shot_interval
    std::array<int, 5> power;          // of every attack
    std::array<int, 5> count;          // round: bullets in the ring
    std::array<int, 5> flareSpeed;     // flare: pixels per frame to the right
    std::array<int, 5> flareLifetime;  // flare: frames
};

// clang-format off
constexpr std::array<Weapon, Vovizovar::kWeapons> kWeaponTable{{
    // 1: a quick single bullet
    {Picture::small, Volley::straight, 5, {10, 8, 6, 4, 3}, {1, 2, 3, 4, 5},
     {}, {}, {}},
    // 2: a slow heavy bullet
    {Picture::large, Volley::straight, 3, {30, 28, 26, 24, 22}, {3, 7, 11, 15, 20},
     {}, {}, {}},
    // 3: a ring all round
    {Picture::small, Volley::round, 5, {20, 17, 15, 13, 10}, {1, 1, 1, 1, 2},
     {10, 12, 18, 24, 30}, {}, {}},
    // 4: a sweeping flame
    {Picture::flare, Volley::flare, 5, {5, 5, 5, 5, 5}, {1, 1, 2, 3, 4},
     {}, {3, 3, 3, 3, 4}, {20, 25, 30, 35, 35}},
}};
// clang-format on

constexpr int kShotSpeed = 15;
constexpr int kFlameSpeedWhileFiring = 2;
constexpr int kChargeFrames = 100;
constexpr int kLazerSoundFrame = 100;
constexpr int kBombSoundFrame = 120;
// The bomb's laser: grows to the right (direction -10), 2 thicker every
// second frame up to 55, for 180 frames.
constexpr int kLazerDirection = -10;
constexpr int kLazerGrowStep = 2;
constexpr int kLazerThickness = 55;
constexpr int kLazerLifetime = 180;
constexpr int kLazerPower = 3;
// Far beyond the beam's own length (a few frames of growth and its lifetime).
constexpr int kLongestBurst = 600;

const Weapon& weaponOf(int number) {
    return kWeaponTable[static_cast<std::size_t>(number - 1)];
}

}  // namespace

Vovizovar::Vovizovar(int fieldWidth, int fieldHeight)
    : PlayerCharacter(fieldWidth, fieldHeight, kBombSoundFrame) {}

Vovizovar::~Vovizovar() {
    // The volleys in flight borrow the weapons' pictures, which are members of
    // this class and so would go before the skills the base class holds.
    clearSkills();
}

void Vovizovar::loadTextures(VideoDevice* device) {
    adoptTexture(loadSheet(device, u"img/vovizovar.ytx", 4, 32, 32));
    setExplosionTexture(loadSheet(device, u"img/vovizovar.ytx", 4, 32, 32));
    setBulletTexture(loadPicture(device, u"img/lazer.ytx"));
    small_bullet_texture = loadPicture(device, u"img/arc_white_bullet.ytx");
    large_bullet_texture = loadPicture(device, u"img/arc_white.ytx");
    flare_texture = loadPicture(device, u"img/flare_blue.ytx");
    loadBombTexture(device);
    setHitArea(-8, -7, 8, 7);
}

void Vovizovar::loadSounds(SoundManger& manager) {
    loadCommonSounds(manager,
                     {u"sound/vovizovar_damage.wav", u"sound/vovizovar_start.wav",
                      u"sound/vovizovar_dead.wav", u"sound/bullet.wav", u"sound/vovizovar_Eup.wav",
                      u"sound/vovizovar_clear.wav", u"sound/charge.wav", u"sound/bombK.wav"});
    lazer_sound = fetchSound(manager, u"sound/lazer.wav");
    change_sound = fetchSound(manager, u"sound/change_bullet.wav");
    empty_sound = fetchSound(manager, u"sound/vovizovar_Enon.wav");
}

bool Vovizovar::update(int buttons) {
    const bool result = PlayerCharacter::update(buttons);
    // Seen in every state, so a button held through a bomb or a re-entry
    // does not count as a fresh press afterwards.
    slow_was_held = slowHeld(buttons);
    return result;
}

void Vovizovar::beforeShot(int buttons) {
    if (slowHeld(buttons) && !slow_was_held) {
        changeWeapon();
    }
    if (!shotHeld(buttons)) {
        sweep = 0;
        sweep_up = false;
    }
}

void Vovizovar::changeWeapon() {
    shot_timer = -1;
    weapon = weapon % kWeapons + 1;
    playSound(change_sound);
    speed = weaponOf(weapon).speed;
}

int Vovizovar::activeSpeed(int buttons) {
    speed = weaponOf(weapon).speed;
    // The flame slows its bearer while it pours out.
    if (weapon == 4 && shotHeld(buttons) && !slowHeld(buttons)) {
        speed = kFlameSpeedWhileFiring;
    }
    return speed;
}

int Vovizovar::bombSpeed() const {
    // Half speed while charging; the beam holds the character still.
    return frame < kChargeFrames ? weaponOf(weapon).speed / 2 : 0;
}

void Vovizovar::shoot() {
    const Weapon& w = weaponOf(weapon);
    const int level = levelIndex();
    shot_interval = w.interval[static_cast<std::size_t>(level)];
    const int power = w.power[static_cast<std::size_t>(level)];
    Texture* picture = w.picture == Picture::small   ? small_bullet_texture.get()
                       : w.picture == Picture::large ? large_bullet_texture.get()
                                                     : flare_texture.get();
    std::unique_ptr<ISkill> volley;
    switch (w.volley) {
        case Volley::straight:
            volley = std::make_unique<StraightBullets>(KIND_PLAYER_ATTACK, field_width,
                                                       field_height, kShotSpeed, 0);
            break;
        case Volley::round:
            volley = std::make_unique<RoundBullets>(
                KIND_PLAYER_ATTACK, field_width, field_height, kShotSpeed, 0,
                w.count[static_cast<std::size_t>(level)], false);
            break;
        case Volley::flare:
            volley =
                std::make_unique<Flare>(KIND_PLAYER_ATTACK, field_width, field_height,
                                        w.flareSpeed[static_cast<std::size_t>(level)], sweep, 0, 0,
                                        w.flareLifetime[static_cast<std::size_t>(level)]);
            // The flame sweeps up and down: 0, -1, 0, 1, 0, -1, ...
            sweep += sweep_up ? 1 : -1;
            if (sweep_up && sweep >= 1) {
                sweep_up = false;
            } else if (!sweep_up && sweep <= -1) {
                sweep_up = true;
            }
            break;
    }
    fireSkill(std::move(volley), picture, getHitRect().right, y, 2, 2, power);
}

void Vovizovar::bombSounds(int counter) {
    if (counter == kLazerSoundFrame) {
        playSound(lazer_sound);
    }
    if (counter == kBombSoundFrame) {
        startBurstSound();
    }
}

bool Vovizovar::bombStep() {
    if (bomb_count == 0) {
        auto beam =
            std::make_unique<Lazer>(KIND_BOMB_ATTACK, field_width, field_height, kLazerDirection,
                                    kLazerGrowStep, kLazerThickness, kLazerLifetime);
        fireSkill(std::move(beam), bullet_texture.get(), getHitRect().right, y, 0, 1, kLazerPower);
    }
    bomb_count += 1;
    bool over = true;
    for (const std::unique_ptr<ISkill>& skill : skills) {
        over = over && skill->allGone();
    }
    if (!over && bomb_count > kLongestBurst) {
        // A beam that cannot end (a picture of no width never reaches the
        // edge) must not hold the character in its bomb for ever.
        for (const std::unique_ptr<ISkill>& skill : skills) {
            skill->cancelAll();
        }
        over = true;
    }
    if (!over) {
        return false;
    }
    stopSound(bomb_sound);
    return true;
}

}  // namespace ml::shooting::object
