#include "engine/platform/audio/AudioDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "engine/platform/audio/AudioBuffer.h"

using veru::platform::AudioDevice;

namespace {

// Sets an environment variable of SDL's for one test, then puts it back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name))
            previous = old, had = true;
        setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (had) {
            setenv(name, previous.c_str(), 1);
        } else {
            unsetenv(name);
        }
    }

  private:
    const char* name;
    std::string previous;
    bool had = false;
};

}  // namespace

TEST(AudioDevice, TheDummyDriverRunsTheMixerInRealTime) {
    std::string reason;
    auto device = AudioDevice::open(&reason);
    ASSERT_NE(device, nullptr) << reason;
    auto buffer = device->getMixer().createBuffer({44100, 2, 16}, 44100 * 4);
    buffer->play(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_GT(buffer->getPlayCursor(), 0u);
    buffer.reset();
}

TEST(AudioDevice, FallsBackToTheSilentDriverWhenTheOutputCannotOpen) {
    // The disk driver cannot open a file in a missing folder: like a missing
    // sound card, the open fails after the driver has started.
    ScopedEnv driver("SDL_AUDIODRIVER", "disk");
    ScopedEnv file("SDL_DISKAUDIOFILE", "/nonexistent-folder/out.raw");
    std::string reason;
    auto device = AudioDevice::open(&reason);
    ASSERT_NE(device, nullptr) << reason;
    EXPECT_EQ(device->getDriverName(), "dummy");
}

TEST(AudioDevice, FallsBackToTheSilentDriverWhenNoDriverStarts) {
    ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
    std::string reason;
    auto device = AudioDevice::open(&reason);
    ASSERT_NE(device, nullptr) << reason;
    EXPECT_EQ(device->getDriverName(), "dummy");
}
