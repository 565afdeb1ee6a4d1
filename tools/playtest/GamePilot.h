#pragma once
// GamePilot: an input device that plays the whole game, scene after scene —
// the title menu's first entry ("start"), every talk box and sentence with a
// fresh press of the first button, and the stage through the Autopilot (with
// the stage's play status, so kintuba and bomb are used). The game main tells
// it which scene is running after each frame (watch); a poll follows that
// scene's manager to the scene it has switched to since.
//
// Ownership: borrows the scene it is told about until the next watch.
// Thread: main thread.

#include <cstdint>
#include <memory>

#include "engine/input/InputInterface.h"

namespace veru::dxt {
class Scene;
}

namespace ml::playtest {

class Autopilot;

class GamePilot : public veru::dxt::event::InputInterface {
  public:
    explicit GamePilot(std::uint32_t seed);
    ~GamePilot() override;

    bool setup(veru::platform::InputSystem*, veru::platform::Window*) override { return true; }
    int poll() override;

    // The scene that runs the next frame.
    void watch(veru::dxt::Scene* scene);

    // Stages the pilot has started.
    int getStages() const { return stages; }
    // Kintubas and bombs its stage pilots pressed, over every stage so far.
    int getKintubasPressed() const;
    int getBombsPressed() const;

  private:
    static constexpr int kFirstButton = 0x10;

    veru::dxt::Scene* scene = nullptr;
    std::unique_ptr<Autopilot> stagePilot;
    std::uint32_t seed;
    int lastWord = 0;
    int stages = 0;
    int kintubasBefore = 0;  // pressed in the stages before the current one
    int bombsBefore = 0;
};

}  // namespace ml::playtest
