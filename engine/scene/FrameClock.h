#pragma once
// FrameClock: the clock and the sleep the frame timer paces the loop with.
// The game uses SystemFrameClock; tests give a clock they move by hand.
//
// The frame timer reads microseconds; a clock that only counts milliseconds
// (most test clocks) gets them from its millisecond reading and sleeps whole
// milliseconds, rounded up.
//
// The frame timer waits for a deadline with waitUntilMicroseconds. A clock
// waits with one sleep unless it knows better: the system clock learns how
// late this machine wakes sleeping threads (see SystemFrameClock).
//
// Thread: used by the thread that owns the frame timer.

#include <array>
#include <cstddef>
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
// waitUntilMicroseconds sleeps to an absolute time, so the time spent
// before the sleep starts cannot add to it. A sleeping thread still wakes
// late by however long the kernel and, on a virtual machine, the host take:
// tens of microseconds on most machines, a millisecond or more on some. The
// clock measures that lateness on every wake-up and keeps the recent ones;
// where they come later than kPunctualMicroseconds it sleeps only until the
// usual lateness before the deadline and polls the clock for the rest, giving
// the processor up between readings. Elsewhere the sleep alone meets the
// deadline and nothing is polled. The poll never starts more than
// kMaxPollMicroseconds early; until kLearnWakeUps wake-ups have been seen
// it starts that early, so the first frames keep their deadlines too.
class SystemFrameClock : public FrameClock {
  public:
    // Wake-ups this close to their time need no poll: a millisecond is
    // invisible in a frame of sixteen, while polling it away costs a
    // sixteenth of a core. (A quiet virtual machine's idle processor wakes
    // a few hundred microseconds late; polling those cost 3 % of a core.)
    static constexpr std::uint64_t kPunctualMicroseconds = 1000;
    static constexpr std::uint64_t kMaxPollMicroseconds = 2000;
    // How many of the latest wake-ups the lead is learnt from, and how many
    // must be seen before the learnt lead replaces the longest one.
    static constexpr std::size_t kKeptWakeUps = 64;
    static constexpr std::size_t kLearnWakeUps = 16;

    std::uint32_t now() override;
    void sleep(std::uint32_t ms) override;
    std::uint64_t nowMicroseconds() override;
    void sleepMicroseconds(std::uint64_t us) override;
    void waitUntilMicroseconds(std::uint64_t deadline) override;

    // How long before a deadline the next wait starts to poll (0: it does not).
    std::uint64_t getPollLeadMicroseconds() const { return pollLead; }

  protected:
    // Sleeps until nowMicroseconds() reads at least `deadline`.
    virtual void sleepUntilMicroseconds(std::uint64_t deadline);
    // Lets another thread run for a moment; the poll calls it between readings.
    virtual void yield();

  private:
    // Keeps one wake-up's lateness and works the poll's lead out again.
    void learn(std::uint64_t lateness);

    std::array<std::uint32_t, kKeptWakeUps> wakeUps{};
    std::size_t seen = 0;  // wake-ups measured since the clock was made
    std::uint64_t pollLead = kMaxPollMicroseconds;
};

}  // namespace veru::dxt
