#pragma once
// Vuzez: the player's character of the stage this edition runs. A 128 x 128
// sheet of four cells with a 40 x 22 hit rectangle; five shot levels from one
// bullet to seven; a bomb of 100 charge frames and 50 rings of 20 bullets;
// a hit area that grows as the kintuba gauge drains (setScale).
//
// The scene builds it with the field size (800 x 480), then calls
// loadTextures, setLevel, loadSounds and enter; see PlayerCharacter for the
// frame-by-frame rules and the ownership.

#include "game/shooting/object/HitRect.h"
#include "game/shooting/object/players/PlayerCharacter.h"

namespace ml::shooting::object {

class Vuzez : public PlayerCharacter {
  public:
    Vuzez(int fieldWidth, int fieldHeight);
    ~Vuzez() override;

    // "img/vuzez.ytx" and the bullet, fall, charge and hit-marker pictures;
    // the hit area (-20, -11, 20, 11) is kept as the unscaled one.
    void loadTextures(VideoDevice* device) override;
    void loadSounds(SoundManger& manager) override;

    // ratio 0-1 (the gauge's): the scale becomes 2 - ratio and the hit area
    // the unscaled one times the scale, truncated toward zero.
    void setScale(float ratio);
    const HitRect& getBaseHit() const { return base_hit; }

  protected:
    void shoot() override;
    bool bombStep() override;
    void bombSounds(int counter) override;
    int activeSpeed(int buttons) override;
    int bombSpeed() const override { return 1; }

  private:
    HitRect base_hit{};
};

}  // namespace ml::shooting::object
