#pragma once
// VirtualPad: a game pad that exists only in software, for tests of pad
// input and hot-plugging (two axes, ten buttons).
//
// Thread: main thread. The joystick part of SDL must be started (an
// InputSystem) while a pad is attached.

namespace veru::platform {

class VirtualPad {
  public:
    VirtualPad() = default;
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool plugIn();
    void pullOut();
    bool isPluggedIn() const { return index >= 0; }
    // Raw SDL values, -32768..32767.
    void setAxis(int axis, int value);
    void setButton(int button, bool down);

  private:
    int index = -1;
    void* joystick = nullptr;  // opened so values can be set
};

}  // namespace veru::platform
