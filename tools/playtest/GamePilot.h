#pragma once
// GamePilot: an input device that plays the whole game, scene after scene —
// the title menu's first entry ("start"), every talk box and sentence with a
// fresh press of the first button, and the stage through the Autopilot. The
// game main tells it which scene is running after each frame (watch).
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

  private:
    static constexpr int kFirstButton = 0x10;

    veru::dxt::Scene* scene = nullptr;
    std::unique_ptr<Autopilot> stagePilot;
    std::uint32_t seed;
    int lastWord = 0;
    int stages = 0;
};

}  // namespace ml::playtest
