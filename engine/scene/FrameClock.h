#pragma once
// FrameClock: the clock and the sleep the frame timer paces the loop with.
// The game uses SystemFrameClock; tests give a clock they move by hand.
//
// The frame timer reads microseconds; a clock that only counts milliseconds
// (most test clocks) gets them from its millisecond reading and sleeps whole
// milliseconds, rounded up.
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
    // Microseconds of the same clock.
    virtual std::uint64_t nowMicroseconds() { return std::uint64_t{now()} * 1000u; }
    virtual void sleepMicroseconds(std::uint64_t us) {
        sleep(static_cast<std::uint32_t>((us + 999u) / 1000u));
    }
};

// The system's steady clock and a real sleep.
class SystemFrameClock : public FrameClock {
  public:
    std::uint32_t now() override;
    void sleep(std::uint32_t ms) override;
    std::uint64_t nowMicroseconds() override;
    void sleepMicroseconds(std::uint64_t us) override;
};

}  // namespace veru::dxt
