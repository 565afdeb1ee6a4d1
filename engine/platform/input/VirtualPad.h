#pragma once
// VirtualPad: a game pad that exists only in software, for tests of pad
// input and hot-plugging.
//
// Layouts:
// - controller: a pad in SDL's controller layout (axes left x/y, right x/y,
//   left/right trigger; buttons A, B, X, Y, back, guide, start, left/right
//   stick, left/right shoulder, d-pad up/down/left/right), which SDL maps by
//   itself; Xbox-style unless a maker is given.
// - playStation: the controller layout with a PlayStation maker and product.
// - xpad: what the Linux driver makes of an Xbox 360 pad (six axes, eleven
//   buttons, the d-pad as hat 0), which SDL maps by its maker and product.
// - unmapped: two axes, ten buttons, a hat and nothing SDL can map, until a
//   mapping line for its guid() is added.
//
// Ownership: owns the attached virtual device and the joystick opened on it;
// pullOut() or destruction detaches and closes them.
// Thread: main thread. The joystick part of SDL must be started (an
// InputSystem) while a pad is attached.

#include <memory>
#include <string>

namespace veru::platform {

class VirtualPad {
  public:
    enum class Layout { controller, playStation, xpad, unmapped };
    // Raw hat values.
    static constexpr int kHatUp = 1;
    static constexpr int kHatRight = 2;
    static constexpr int kHatDown = 4;
    static constexpr int kHatLeft = 8;

    VirtualPad();
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool plugIn(Layout layout = Layout::controller);
    void pullOut();
    bool isPluggedIn() const { return handle != nullptr; }
    // Raw SDL values, -32768..32767, by the layout's own numbering.
    void setAxis(int axis, int value);
    void setButton(int button, bool down);
    void setHat(int value);
    // The pad's identity as mapping lines begin with it; empty while unplugged.
    std::string guid() const;

  private:
    struct Handle;
    std::unique_ptr<Handle> handle;  // null while unplugged
};

}  // namespace veru::platform
