#pragma once
// Keyboard: the held state of the keys the game reads, by scancode (the
// key's place on the keyboard, whatever its layout).
//
// The state is SDL's own key table, kept up to date by whoever pumps the
// event queue (the window's message loop); read() pumps once more itself.
//
// Thread: main thread.

#include <array>
#include <string>

namespace veru::platform {

enum class Key {
    up,
    down,
    left,
    right,
    pad8,
    pad2,
    pad4,
    pad6,
    z,
    x,
    c,
    v,
    a,
    s,
    rightCtrl,
    enter,
    space,
    escape,
    count
};

using KeyStates = std::array<bool, static_cast<int>(Key::count)>;

class Keyboard {
  public:
    // False when SDL has no key table (the event part is not started).
    bool open();
    bool isOpen() const { return opened; }
    // The held state of every key; false when the keyboard is not open.
    bool read(KeyStates& states);
    // The key's name in UTF-8 as the keyboard layout in use labels it ("Z",
    // "Space"); the name of its place on a US keyboard when no layout is
    // known yet (SDL's video part not started).
    static std::string keyName(Key key);

  private:
    bool opened = false;
};

}  // namespace veru::platform
