#pragma once
// Keyboard: the held state of every key, by scancode (the key's place on the
// keyboard, whatever its layout), and the names of keys.
//
// The state is SDL's own key table, kept up to date by whoever pumps the
// event queue (the window's message loop); read() pumps once more itself.
//
// Thread: main thread.

#include <bitset>
#include <string>
#include <string_view>

namespace veru::platform {

// A key by its scancode (the USB usage number of its place); 0 is no key.
using KeyCode = int;
inline constexpr int kKeyCodeCount = 512;

// The keys the game names in its own tables.
namespace keys {
inline constexpr KeyCode none = 0;
inline constexpr KeyCode a = 4;
inline constexpr KeyCode c = 6;
inline constexpr KeyCode s = 22;
inline constexpr KeyCode v = 25;
inline constexpr KeyCode x = 27;
inline constexpr KeyCode z = 29;
inline constexpr KeyCode enter = 40;
inline constexpr KeyCode escape = 41;
inline constexpr KeyCode space = 44;
inline constexpr KeyCode right = 79;
inline constexpr KeyCode left = 80;
inline constexpr KeyCode down = 81;
inline constexpr KeyCode up = 82;
inline constexpr KeyCode pad2 = 90;
inline constexpr KeyCode pad4 = 92;
inline constexpr KeyCode pad6 = 94;
inline constexpr KeyCode pad8 = 96;
inline constexpr KeyCode leftShift = 225;
inline constexpr KeyCode rightCtrl = 228;
}  // namespace keys

using KeyStates = std::bitset<kKeyCodeCount>;

class Keyboard {
  public:
    // False when SDL has no key table (the event part is not started).
    bool open();
    bool isOpen() const { return opened; }
    // The held state of every key; false when the keyboard is not open.
    bool read(KeyStates& states);

    // The key's name in UTF-8 as the keyboard layout in use labels it ("Z",
    // "Left Shift", "Esc"); the name of its place on a US keyboard when no
    // layout is known yet (SDL's video part not started). Empty for no key.
    static std::string keyName(KeyCode key);
    // A name that stays the same whatever the layout, for files ("Left Shift").
    static std::string keyId(KeyCode key);
    // The key a keyId names; keys::none for an unknown name.
    static KeyCode keyFromId(std::string_view id);

  private:
    bool opened = false;
};

}  // namespace veru::platform
