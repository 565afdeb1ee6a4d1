#pragma once
// InputJoystick: one game pad as a button word. A pad SDL can map gives the
// directions from its left stick (past half-way) and d-pad and its buttons
// by the action bindings; any other pad its stick, first hat and buttons
// 1-10 as buttons 1-10 of the word.
//
// Ownership: owns its pad; borrows the bindings and the action table (the
// global ones unless given), which must outlive it.
// Thread: main thread.
// Failure: setup returns false when no pad is attached and throws
// CanNotConnectException when the pads cannot be looked at. poll returns -1
// without a pad and 0 from the frame in which the pad went away: whatever
// was held on it is released.

#include <string>

#include "engine/input/ActionBindings.h"
#include "engine/input/ButtonMap.h"
#include "engine/input/InputInterface.h"
#include "engine/platform/input/GamePad.h"

namespace veru::dxt::event {

class InputJoystick : public virtual InputInterface {
  public:
    explicit InputJoystick(const ActionBindings* bindings = &ActionBindings::global(),
                           const ButtonMap* map = &ButtonMap::global());

    // Opens the first attached pad that opens.
    bool setup(platform::InputSystem* system, platform::Window* window) override;
    // Opens the attached pad with this instance id.
    bool open(int instanceId);
    int poll() override;
    FreshPress freshPress() const override { return fresh; }
    PadInUse padInUse() const override;

    // False once the pad has been pulled out.
    bool isConnected() const { return pad.isAttached(); }
    int instanceId() const { return pad.instanceId(); }

    // What went down between two readings of one pad, lowest button first.
    static FreshPress firstNewButton(const platform::PadState& before,
                                     const platform::PadState& now);

  private:
    platform::GamePad pad;
    const ActionBindings* bindings;
    const ButtonMap* map;
    platform::PadState previous;
    FreshPress fresh;
};

}  // namespace veru::dxt::event
