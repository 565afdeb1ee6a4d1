#pragma once
// CombinedInput: the keyboard and every attached pad at once. The frame's
// button word is the OR of all their words, so a pad plugged in (to charge
// it, say) never takes the keyboard away, and two pads both play.
//
// A pad pulled out drops out from that frame on, releasing whatever was
// held on it. Pads plugged in later are picked up within half a second
// (30 frames). Nothing is shown to the player on these changes.
//
// Ownership: owns the keyboard and the pads; borrows the input system, the
// bindings and the action table, which must outlive it.
// Thread: main thread.

#include <memory>
#include <vector>

#include "engine/input/InputJoystick.h"
#include "engine/input/InputKeyboard.h"

namespace veru::dxt::event {

class CombinedInput : public virtual InputInterface {
  public:
    static constexpr int kRetryFrames = 30;

    // `keyboard` (an InputKeyboard, or a script in tests) may be null: none
    // could be set up.
    explicit CombinedInput(std::unique_ptr<InputInterface> keyboard,
                           const ActionBindings* bindings = &ActionBindings::global(),
                           const ButtonMap* map = &ButtonMap::global());
    ~CombinedInput() override;

    // Remembers the system and opens the pads attached now.
    bool setup(platform::InputSystem* system, platform::Window* window) override;
    int poll() override;
    YString buttonKeyName(int bit) const override {
        return keyboard ? keyboard->buttonKeyName(bit) : YString();
    }
    // The keyboard's press first, else the first pad's.
    FreshPress freshPress() const override { return fresh; }
    PadInUse padInUse() const override;

    std::size_t padCount() const { return pads.size(); }

  private:
    void lookForPads();

    std::unique_ptr<InputInterface> keyboard;
    std::vector<std::unique_ptr<InputJoystick>> pads;  // in the order they were found
    const ActionBindings* bindings;
    const ButtonMap* map;
    platform::InputSystem* system = nullptr;
    int framesToRetry = 0;
    int lastUsedPad = -1;  // instance id of the pad in use
    FreshPress fresh;
};

}  // namespace veru::dxt::event
