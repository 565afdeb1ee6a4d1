#pragma once
// FrameClock: the clock and the sleep the frame timer paces the loop with.
// The game uses SystemFrameClock; tests give a clock they move by hand.
//
// The frame timer reads microseconds; a clock that only counts milliseconds
// (most test clocks) gets them from its millisecond reading and sleeps whole
// milliseconds, rounded up.
//
// The frame timer waits for a deadline with waitUntilMicroseconds. A clock
// waits with one sleep unless it knows better: the system clock sleeps to
// just before the deadline and polls for the rest (see SystemFrameClock).
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
    // Returns once nowMicroseconds() has reached `deadline`; at once when it
    // already has. This one sleeps the difference in one go.
    virtual void waitUntilMicroseconds(std::uint64_t deadline);
};

// The system's steady clock and a real sleep.
//
// A sleeping thread is woken late by anything from a tenth of a millisecond
// to several (the kernel's timer slack, a virtual processor the host has to
// wake), which shows as an uneven frame rate. So waitUntilMicroseconds
// sleeps only until kPollMicroseconds before the deadline and spends the
// rest reading the clock, giving the processor up between readings: the
// frame is shown within a few microseconds of its deadline whenever that
// first wake-up came within the lead. The price is that lead of each frame
// on one core (about an eighth of it at 60 frames a second).
class SystemFrameClock : public FrameClock {
  public:
    static constexpr std::uint64_t kPollMicroseconds = 2000;

    std::uint32_t now() override;
    void sleep(std::uint32_t ms) override;
    std::uint64_t nowMicroseconds() override;
    void sleepMicroseconds(std::uint64_t us) override;
    void waitUntilMicroseconds(std::uint64_t deadline) override;

  protected:
    // Lets another thread run for a moment; the poll calls it between readings.
    virtual void yield();
};

}  // namespace veru::dxt
