#pragma once
// AudioEvent: an auto-reset event. The mixer signals it when a buffer's play
// cursor passes a notification position; one waiting thread wakes and the
// event is clear again.
//
// Thread: signal and wait may be called from any thread.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace veru::platform {

class AudioEvent {
  public:
    void signal();
    // Blocks until signalled, then clears the event.
    void wait();
    // As wait, but gives up after `timeout`; true when signalled.
    bool waitFor(std::chrono::milliseconds timeout);
    // Forgets a signal nobody has waited for yet.
    void clear();

  private:
    std::mutex lock;
    std::condition_variable changed;
    bool signalled = false;
};

}  // namespace veru::platform
