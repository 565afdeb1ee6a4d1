#pragma once
// VirtualPad: a game pad that exists only in software, for tests of pad
// input and hot-plugging (two axes, ten buttons).
//
// Ownership: owns the attached virtual device and the joystick opened on it;
// pullOut() or destruction detaches and closes them.
// Thread: main thread. The joystick part of SDL must be started (an
// InputSystem) while a pad is attached.

#include <memory>

namespace veru::platform {

class VirtualPad {
  public:
    VirtualPad();
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool plugIn();
    void pullOut();
    bool isPluggedIn() const { return handle != nullptr; }
    // Raw SDL values, -32768..32767.
    void setAxis(int axis, int value);
    void setButton(int button, bool down);

  private:
    struct Handle;
    std::unique_ptr<Handle> handle;  // null while unplugged
};

}  // namespace veru::platform
