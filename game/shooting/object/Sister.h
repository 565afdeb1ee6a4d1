#pragma once
// Sister: a big boss (descends to 70). First phase: every 50 frames she
// throws a pan (angles 220, 180, 140 in turn, each with a swing sound); the
// fourth throw is three pans at once, a ring and a charge — 1 pixel a frame
// to the left for 50 frames (or to a third of the field), then back to her
// post at 3 pixels a frame, firing a ring every 50 frames. Second phase: one
// pan that rises, drops to the floor and sways; from 300 frames on, a fire
// ball every 30 frames from the next of thirteen spots on the ground and a
// ring every 60 frames. Her phase change ends twice her stop distance from
// the right edge.
//
// Random draws (the fire balls' speeds) use the engine's random numbers.
// Ownership, thread and failures: those of Boss.

#include "game/shooting/object/BigBoss.h"

namespace ml::shooting::object {

class Sister : public BigBoss {
  public:
    Sister(int field_width, int field_height);
    ~Sister() override;

    void loadSounds(SoundManger& manager) override;
    void loadTextures(VideoDevice* loader) override;
    void move(int target_x, int target_y) override;
    void pinchMove(int target_x, int target_y) override;
    void changeStep() override;

    bool isCharging() const { return charge_step != 0; }
    int getThrows() const { return throws; }
    int getFireBalls() const { return fire_balls; }

    static constexpr int throwPeriod = 50;
    static constexpr int chargeFrames = 50;
    static constexpr int fireBallDelay = 300;

  private:
    void throwPans();
    void throwPan(int angle);
    void fireRing(int first_angle);
    void charge();

    int throws = 0;       // every call of the throw, all phase long
    int charge_step = 0;  // 0 none, 1 forwards, 2 back
    int charge_frame = 0;
    int charge_from = 0;  // her post, where the charge began
    int pinch_frame = 0;
    int fire_balls = 0;
    int ring_angle = 0;
    ISound* bullet_sound = nullptr;
    ISound* swing_sound = nullptr;
    ISound* big_swing_sound = nullptr;
    std::unique_ptr<Texture> pan_texture;
    std::unique_ptr<Texture> flare_texture;
    std::unique_ptr<Texture> ring_texture;
};

}  // namespace ml::shooting::object
