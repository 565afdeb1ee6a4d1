#pragma once
// InputInterface: one input device read once per frame as a button word.
//
// Bits of the word: 0x1 up, 0x2 down, 0x4 left, 0x8 right, then 0x10 ...
// 0x2000 for buttons 1-10; bits above 0x2000 are always 0. poll returns -1
// (every bit set) when the interface has no device.
//
// Ownership: made and owned by DirectInputFactory (or by a test).
// Thread: main thread.

#include <string>

#include "engine/core/YString.h"
#include "engine/platform/input/GamePad.h"
#include "engine/platform/input/Keyboard.h"

namespace veru::platform {
class InputSystem;
class Window;
}  // namespace veru::platform

namespace veru::dxt::event {

// The bits of the button word, the one definition everyone uses.
inline constexpr int kButtonUp = 0x1;
inline constexpr int kButtonDown = 0x2;
inline constexpr int kButtonLeft = 0x4;
inline constexpr int kButtonRight = 0x8;
inline constexpr int kDirectionBits = 0xF;
inline constexpr int kFirstButton = 0x10;   // button 1
inline constexpr int kLastButton = 0x2000;  // button 10
inline constexpr int kButtonBits = 0x3FF0;  // buttons 1-10
inline constexpr int kWordBits = 0x3FFF;    // every bit a word can hold

// A key or pad button that went down at the latest poll (held then, not at
// the poll before), for assigning it to an action.
struct FreshPress {
    platform::KeyCode key = platform::keys::none;
    platform::PadButton padButton = platform::PadButton::none;  // of a mapped pad
    int rawButton = -1;                                         // 0-9, of an unmapped pad
    bool any() const {
        return key != platform::keys::none || padButton != platform::PadButton::none ||
               rawButton >= 0;
    }
};

// The pad the player is using: the last one something was held on, else
// the first attached.
struct PadInUse {
    bool present = false;
    std::string name;  // UTF-8, as the pad reports it
    platform::PadStyle style = platform::PadStyle::unmapped;
};

class InputInterface {
  public:
    virtual ~InputInterface() = default;
    // Opens the device; false (or an exception, for pads) when it cannot.
    virtual bool setup(platform::InputSystem* system, platform::Window* window) = 0;
    virtual int poll() = 0;
    // The name of the key that sets button `bit` (0x10 ... 0x2000) on this
    // device ("Z"); empty when the device has no keys of its own (a pad).
    virtual YString buttonKeyName(int /*bit*/) const { return YString(); }
    // What went down at the latest poll; nothing for devices that cannot tell.
    virtual FreshPress freshPress() const { return {}; }
    virtual PadInUse padInUse() const { return {}; }
};

}  // namespace veru::dxt::event
