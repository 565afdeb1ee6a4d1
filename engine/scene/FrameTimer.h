#pragma once
// FrameTimer: holds the scene loop at a number of frames per second.
// It waits for each deadline through its clock: the system clock sleeps to
// it and polls only as much of it as this machine's late wake-ups need, so
// frames keep their deadlines at little processor time (FrameClock.h).
//
// Frames are held to absolute deadlines: frame k of a schedule is shown at
// origin + k * 1000000 / fps microseconds, so the rate never drifts and 60
// frames fill exactly one second. The loop draws a frame, calls endFrame,
// which waits until that frame is due, and shows it. A frame that comes
// late by less than one frame is shown at once and the schedule goes on, so
// at most one frame follows a late one early; a frame late by a whole frame
// or more (a stall, a load) starts a new schedule at that moment instead of
// racing to catch up. A clock that goes backwards also starts a new one.
//
// Display pacing: where the renderer waits for the display's refresh when
// it shows a frame (vsync), the loop calls setDisplayPaced(true) and
// framePresented() after each show. endFrame then wakes a little before the
// deadline, the show waits for the refresh, and a show that waited moves the
// schedule onto the display's rhythm. A show that did not wait (vsync not
// honoured) leaves the timer's own deadlines in charge, so the rate holds
// either way.
//
// A change of fps takes effect from the frame after the last one shown.
//
// Ownership: borrows the clock, which must outlive the timer.
// Thread: the loop's thread only.

#include <cstdint>

#include "engine/scene/FrameClock.h"

namespace veru::dxt {

class FrameTimer {
  public:
    // How long before a deadline endFrame returns when the display paces
    // the frames: the show then waits for the refresh that follows.
    static constexpr std::uint64_t kDisplayLeadMicroseconds = 2000;

    // `clock` null means the system clock. `fps` at or below 0 means 60.
    explicit FrameTimer(int fps, FrameClock* clock = nullptr);

    // Starts a new schedule: the next frame is due now.
    void restart();
    // Stores `n` when it is above 0; returns `n`.
    int setFps(int n);
    // Waits until the frame just drawn is due; call right before showing it.
    void endFrame();
    void setDisplayPaced(bool paced) { displayPaced = paced; }
    // After a frame was shown: when the show waited for the display, the
    // schedule follows the display from it. Nothing without display pacing.
    void framePresented();

    int getFps() const { return fps; }
    bool isDisplayPaced() const { return displayPaced; }
    // Frames shown since the schedule began.
    std::uint64_t getFrameCount() const { return index; }
    // Frames shown late by less than a frame, and schedules restarted after
    // a longer stall, since the timer was made.
    std::uint64_t getLateFrames() const { return lateFrames; }
    std::uint64_t getResyncs() const { return resyncs; }

  private:
    // Microseconds from the schedule's origin to frame k's deadline.
    std::uint64_t offset(std::uint64_t k) const;
    std::uint64_t lead() const { return displayPaced ? kDisplayLeadMicroseconds : 0; }

    SystemFrameClock systemClock;
    FrameClock* clock;
    int fps;
    bool displayPaced = false;
    std::uint64_t origin = 0;  // when frame 0 of the schedule is due
    std::uint64_t index = 0;   // the frame endFrame waits for next
    std::uint64_t lastReading = 0;
    std::uint64_t woke = 0;  // when endFrame last returned
    std::uint64_t lateFrames = 0;
    std::uint64_t resyncs = 0;
};

}  // namespace veru::dxt
