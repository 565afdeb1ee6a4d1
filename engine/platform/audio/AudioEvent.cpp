#include "engine/platform/audio/AudioEvent.h"

namespace veru::platform {

void AudioEvent::signal() {
    {
        std::lock_guard<std::mutex> hold(lock);
        signalled = true;
    }
    changed.notify_one();
}

void AudioEvent::wait() {
    std::unique_lock<std::mutex> hold(lock);
    changed.wait(hold, [this] { return signalled; });
    signalled = false;
}

bool AudioEvent::waitFor(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> hold(lock);
    if (!changed.wait_for(hold, timeout, [this] { return signalled; }))
        return false;
    signalled = false;
    return true;
}

void AudioEvent::clear() {
    std::lock_guard<std::mutex> hold(lock);
    signalled = false;
}

}  // namespace veru::platform
