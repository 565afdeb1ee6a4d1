#pragma once
// HeldButtonLatch: keeps the buttons that are down when a menu opens from
// counting in it. A menu opens while the buttons that led there are still
// held (the shot above all); arm() at opening makes the next filter() note
// what is held at that moment, and from there on a noted button counts only
// after it has been released once, so the press that opened a menu never
// confirms an entry in it by itself.
//
// Thread: main thread only.

namespace veru::dxt::event {

class HeldButtonLatch {
  public:
    // The next filter() notes the buttons held then.
    void arm() { pending = true; }
    // `buttons` without those still held since arm().
    int filter(int buttons) {
        if (pending) {
            held = buttons;
            pending = false;
        }
        held &= buttons;  // a released button is free from now on
        return buttons & ~held;
    }

  private:
    bool pending = false;
    int held = 0;
};

}  // namespace veru::dxt::event
