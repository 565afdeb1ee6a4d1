#pragma once
// ReplayWatch: a kept play shown in the game's window, with the player's
// hand on the tape. It makes the recorded heroine's stage, has it watch the
// recording (ShootingScene::watchReplay: the recording's own seed, settings
// and buttons), and each frame runs the stage's update once, twice or four
// times — ×1, ×2, ×4 — then draws it once, the speed in the field's top
// right corner. The stage reads only the recording's words, so any speed
// plays the same frames to the same end.
//
// The player's own buttons (the masks in force when the watching began; the
// stage swaps in the recording's while it plays): pause stops and resumes
// the stage, shoot steps the speed ×1 → ×2 → ×4 → ×1, bomb ends the
// watching. It also ends when the stage asks to leave (the recording is
// over, the stage ended). Each press counts once.
//
// Ownership: owns the stage from start to stop and the pictures of its
// labels; borrows the manager, settings and status (which outlive it) and
// the device given to start. Thread: main thread only.
// Failure: start returns false when the stage cannot be made (the stage's
// own box has said why) or no heroine flies the recording.

#include <memory>

#include "engine/core/YString.h"
#include "game/StageReplay.h"

namespace veru::dxt {
class DirectGraphics;
class PlayStatus;
class SceneManager;
}  // namespace veru::dxt
namespace veru::dxt::material {
class Texture;
}
namespace veru::platform {
class VideoDevice;
class Window;
}  // namespace veru::platform

namespace ml {

class GameSetting;
class ShootingScene;

class ReplayWatch {
  public:
    // Stage updates a frame, in the order the speed button steps through.
    static constexpr int kSpeeds[] = {1, 2, 4};

    ReplayWatch(veru::dxt::SceneManager* manager, GameSetting* settings,
                veru::dxt::PlayStatus* status);
    ~ReplayWatch();
    ReplayWatch(const ReplayWatch&) = delete;
    ReplayWatch& operator=(const ReplayWatch&) = delete;

    // Begins watching `replay` at ×1; false when it cannot be shown.
    bool start(StageReplay replay, veru::platform::Window* window,
               veru::platform::VideoDevice* device);
    // One frame with the player's live buttons; false once the watching is
    // over (the stage is then released).
    bool update(int buttons);
    // The stage's frame, then the labels over it.
    void draw(veru::platform::VideoDevice* device);
    // Ends the watching now (nothing happens when none runs).
    void stop();

    bool isWatching() const { return stage != nullptr; }
    bool isPaused() const { return paused; }
    // Stage updates per frame: 1, 2 or 4.
    int getSpeed() const { return kSpeeds[speedIndex]; }
    // The stage being watched; null when none is.
    const ShootingScene* getStage() const { return stage.get(); }

  private:
    void makeLabels(veru::platform::VideoDevice* device);

    veru::dxt::SceneManager* manager;
    GameSetting* settings;
    veru::dxt::PlayStatus* status;
    std::unique_ptr<ShootingScene> stage;
    std::unique_ptr<veru::dxt::DirectGraphics> graphics;
    // The player's own masks for pause, speed and leaving.
    int pauseMask = 0;
    int speedMask = 0;
    int leaveMask = 0;
    int lastButtons = 0;
    bool paused = false;
    int speedIndex = 0;
    // "×1", "×2", "×4", then the paused line.
    std::unique_ptr<veru::dxt::material::Texture> labels[4];
    std::unique_ptr<veru::dxt::material::Texture> shade;
};

}  // namespace ml
