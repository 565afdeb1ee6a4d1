#pragma once
// ButtonMap: which button bits stand for each action of the game.
//
// Ten slots, numbered 1-10, each an int mask of button bits (0x10 = button 1
// ... 0x2000 = button 10). The game uses the first five: 1 shoot, 2 special
// attack, 3 bomb, 4 slow movement, 5 pause. An action is held in a frame when
// the button word and its mask share a bit. All masks start as 0x10.
//
// Thread: main thread only.
// Failure: a slot number outside 1-10 throws ArrayIndexOutOfBoundsException
// with the number - 1.

#include <array>

namespace veru::dxt::event {

class ButtonMap {
  public:
    static constexpr int kSlots = 10;
    static constexpr int kShoot = 1;
    static constexpr int kSpecial = 2;
    static constexpr int kBomb = 3;
    static constexpr int kSlow = 4;
    static constexpr int kPause = 5;

    ButtonMap();

    // The mask an action starts with in a new game: buttons 1-5 for slots
    // 1-5 (shoot Z, special X, bomb C, slow V, pause A); 0 for the others.
    static constexpr int defaultMask(int number) {
        return number >= kShoot && number <= kPause ? 0x10 << (number - 1) : 0;
    }

    // The table the whole game reads; created on first use.
    static ButtonMap& global();

    void setMask(int number, int mask);
    int mask(int number) const;
    // True when `buttons` holds any bit of the action's mask.
    bool held(int number, int buttons) const { return (buttons & mask(number)) != 0; }

  private:
    static void check(int number);
    std::array<int, kSlots> masks;
};

}  // namespace veru::dxt::event
