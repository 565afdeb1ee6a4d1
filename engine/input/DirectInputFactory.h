#pragma once
// DirectInputFactory: starts the input part of the platform and makes the
// input interface the game reads.
//
// Kind 2 asks for a pad when one is attached, else the keyboard; the result
// also follows pads plugged in or pulled out later (InputSwitcher). Any other
// kind gives the keyboard alone.
//
// Ownership: owns the input system and every interface it made (also the
// null results); they live until the factory is destroyed.
// Thread: main thread.
// Failure: setup shows "DirectInputデバイスの生成に失敗しました。" and returns
// false. createInputInterface shows the pad warnings described in the .cpp
// and returns null when not even the keyboard can be used.

#include <memory>
#include <vector>

#include "engine/input/InputInterface.h"

namespace veru::platform {
class InputSystem;
}

namespace veru::dxt::event {

class DirectInputFactory {
  public:
    static constexpr int kPreferPad = 2;

    DirectInputFactory();
    ~DirectInputFactory();
    DirectInputFactory(const DirectInputFactory&) = delete;
    DirectInputFactory& operator=(const DirectInputFactory&) = delete;

    // `warnNoPad`: show a warning when kind 2 finds no pad.
    bool setup(bool warnNoPad);
    InputInterface* createInputInterface(platform::Window* window, int kind);

    std::size_t getInterfaceCount() const { return interfaces.size(); }

  private:
    bool warnNoPad = false;
    std::unique_ptr<platform::InputSystem> system;
    std::vector<std::unique_ptr<InputInterface>> interfaces;
};

}  // namespace veru::dxt::event
