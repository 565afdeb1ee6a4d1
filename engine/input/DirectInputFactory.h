#pragma once
// DirectInputFactory: starts the input part of the platform and makes the
// input interface the game reads.
//
// Kind 2 gives the keyboard and every pad together, pads plugged in or
// pulled out later included (CombinedInput). Any other kind gives the
// keyboard alone.
//
// Ownership: owns the input system and every interface it made (also the
// null results); they live until the factory is destroyed.
// Thread: main thread.
// Failure: setup shows "DirectInputデバイスの生成に失敗しました。" and returns
// false. createInputInterface shows the pad warnings described in the .cpp
// and returns null when not even the keyboard can be used.

#include <memory>
#include <string>
#include <vector>

#include "engine/input/InputInterface.h"

namespace veru::platform {
class InputSystem;
}

namespace veru::dxt::event {

class DirectInputFactory {
  public:
    static constexpr int kPreferPad = 2;
    // Pad mappings read at setup from the data folder (the working folder).
    static constexpr const char16_t* kPadMappingsFile = u"gamecontrollerdb.txt";

    DirectInputFactory();
    ~DirectInputFactory();
    DirectInputFactory(const DirectInputFactory&) = delete;
    DirectInputFactory& operator=(const DirectInputFactory&) = delete;

    // `warnNoPad`: show a warning when kind 2 finds no pad.
    bool setup(bool warnNoPad);
    InputInterface* createInputInterface(platform::Window* window, int kind);
    // Adds the pad mappings of a database file in SDL's format
    // ("gamecontrollerdb.txt"), for pads SDL does not know by itself; a
    // missing or unreadable file adds nothing. Call after setup, before
    // createInputInterface.
    static void addPadMappings(const std::u16string& path);

    std::size_t getInterfaceCount() const { return interfaces.size(); }

  private:
    bool warnNoPad = false;
    std::unique_ptr<platform::InputSystem> system;
    std::vector<std::unique_ptr<InputInterface>> interfaces;
};

}  // namespace veru::dxt::event
