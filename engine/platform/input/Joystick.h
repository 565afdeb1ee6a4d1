#pragma once
// Joystick: the first attached game pad.
//
// Axes 0 and 1 (the main stick) are scaled from SDL's -32768..32767 to
// -1000..1000; buttons 0-9 are the pad's buttons 1-10. Pads may be plugged
// in and pulled out at any time: the device state is queried directly from
// SDL (no events needed), and a pad that went away reads as detached.
//
// Ownership: owns the open SDL joystick.
// Thread: main thread.

#include <array>
#include <memory>

namespace veru::platform {

struct JoystickState {
    int x = 0;
    int y = 0;
    std::array<bool, 10> buttons{};
};

class Joystick {
  public:
    Joystick();
    ~Joystick();
    Joystick(const Joystick&) = delete;
    Joystick& operator=(const Joystick&) = delete;

    // Pads attached now (looks for newly plugged ones first).
    static int countAttached();
    // Opens the first pad that opens; false when none does.
    bool openFirst();
    void close();
    bool isOpen() const;
    // False when no pad is open or it has been pulled out.
    bool isAttached() const;
    // Fresh state of the open pad; false when it is gone.
    bool read(JoystickState& state);

  private:
    struct Handle;
    std::unique_ptr<Handle> handle;
};

}  // namespace veru::platform
