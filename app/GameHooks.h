#pragma once
// GameHooks: what a test may put in place of the real clock and input, and
// how it watches the frames. The program itself passes none; what its
// command line asks comes in gameMain's StartOptions.
//
// Ownership: everything is borrowed and must outlive gameMain.

#include <functional>

namespace veru::dxt {
class FrameClock;
class Scene;
}  // namespace veru::dxt
namespace veru::dxt::event {
class InputInterface;
}
namespace veru::platform {
class VideoDevice;
}

namespace ml {

struct GameHooks {
    // Paces the frames and serves "Wait" in talk scripts; null: the system clock.
    veru::dxt::FrameClock* clock = nullptr;
    // Used instead of the keyboard or pad; null: the device input.
    veru::dxt::event::InputInterface* input = nullptr;
    // Called after each frame is drawn and presented, with its number
    // (0 for the first) and the scene that drew it.
    std::function<void(int frame, veru::dxt::Scene* scene, veru::platform::VideoDevice* device)>
        afterFrame;
};

}  // namespace ml
