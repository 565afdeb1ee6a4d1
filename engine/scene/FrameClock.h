#pragma once
// FrameClock: the clock and the sleep the frame timer paces the loop with.
// The game uses SystemFrameClock; tests give a clock they move by hand.
//
// Thread: used by the thread that owns the frame timer.

#include <cstdint>

namespace veru::dxt {

class FrameClock {
  public:
    virtual ~FrameClock() = default;
    // Milliseconds of a steady clock (wrapping like a 32-bit counter).
    virtual std::uint32_t now() = 0;
    virtual void sleep(std::uint32_t ms) = 0;
};

// The system's steady clock and a real sleep.
class SystemFrameClock : public FrameClock {
  public:
    std::uint32_t now() override;
    void sleep(std::uint32_t ms) override;
};

}  // namespace veru::dxt
