#pragma once
// Vovizovar: the player's character of the alternative stage. A 32 x 32 sheet
// with a 16 x 14 hit rectangle; four weapons of five levels each, changed in
// turn by pressing the slow button; a bomb of 100 charge frames and then one
// broad laser to the right.
//
// The scene builds it with the field size (800 x 480), then calls
// loadTextures, setLevel, loadSounds and enter; see PlayerCharacter for the
// frame-by-frame rules and the ownership.

#include <array>
#include <memory>

#include "game/shooting/object/players/PlayerCharacter.h"

namespace ml::shooting::object {

class Vovizovar : public PlayerCharacter {
  public:
    static constexpr int kWeapons = 4;

    Vovizovar(int fieldWidth, int fieldHeight);
    ~Vovizovar() override;

    // "img/vovizovar.ytx" (also the fall picture), the laser and the three
    // weapon pictures, the charge picture; hit area (-8, -7, 8, 7).
    void loadTextures(VideoDevice* device) override;
    void loadSounds(SoundManger& manager) override;
    bool update(int buttons) override;

    // The scene turns the drawing of the bullets off and on around its calls.
    void setDrawSkills(bool on) { draw_skills = on; }
    bool isDrawSkills() const { return draw_skills; }
    // 1-4.
    int getWeapon() const { return weapon; }
    int getSpeed() const { return speed; }
    int getSweep() const { return sweep; }
    // Played by the scene instead of the hit sound when the gauge is empty.
    ISound* getEmptySound() const { return empty_sound; }

  protected:
    void shoot() override;
    bool bombStep() override;
    void bombSounds(int counter) override;
    int activeSpeed(int buttons) override;
    int bombSpeed() const override;
    void beforeShot(int buttons) override;
    bool drawsSkills() const override { return draw_skills; }
    int chargeOffsetX() const override { return -1; }

  private:
    void changeWeapon();

    int weapon = 1;
    int speed = 5;
    int sweep = 0;
    bool sweep_up = false;
    bool draw_skills = true;
    bool slow_was_held = false;
    // The weapons' pictures; weapons 1 and 3 share one. The volleys borrow
    // them: the destructor drops the skills first.
    std::unique_ptr<Texture> small_bullet_texture;
    std::unique_ptr<Texture> large_bullet_texture;
    std::unique_ptr<Texture> flare_texture;
    ISound* lazer_sound = nullptr;
    ISound* change_sound = nullptr;
    ISound* empty_sound = nullptr;
};

}  // namespace ml::shooting::object
