// Streams driven from the game's thread while the mixer runs on another and
// each stream's own thread refills it. Meant to run under ThreadSanitizer
// (-DMIRELUNE_TSAN=ON) as well as in the normal build.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "engine/sound/StreamingSound.h"
#include "engine/sound/StreamingSoundOgg.h"
#include "engine/sound/YDirectSound.h"
#include "tests/engine/sound/SoundFiles.h"
#include "tests/support/RecordingMessageSink.h"

using namespace mirelune::test;
using namespace std::chrono_literals;

TEST(StreamThreads, PlayPauseStopRestartAndReleaseInALoop) {
    TempDir dir;
    RecordingMessageSink sink;
    veru::sound::YDirectSound device;
    device.createManual();
    const veru::YString wave = dir.file("loop.wav");
    writeBytes(wave, wave16(pattern(44100 * 4)));
    const veru::YString ogg = dir.file("loop.ogg");
    ASSERT_TRUE(writeOgg(ogg, 1.0));

    // The "sound card": mixes fast, so cursors cross many notification
    // positions and halves while the game thread works.
    std::atomic<bool> running{true};
    std::thread card([&] {
        std::vector<std::int16_t> out(4096 * 2);
        while (running) {
            device.getMixer()->mix(out.data(), 4096);
            std::this_thread::sleep_for(1ms);
        }
    });

    for (int round = 0; round < 12; ++round) {
        veru::sound::StreamingSound waveStream;
        veru::sound::StreamingSoundOgg oggStream(2ms);
        ASSERT_TRUE(waveStream.read(&device, wave, 1));
        ASSERT_TRUE(oggStream.read(&device, ogg, 1));
        for (int step = 0; step < 5; ++step) {
            waveStream.play(round % 2 == 0);
            oggStream.play(true);
            std::this_thread::sleep_for(3ms);
            waveStream.pause();
            oggStream.pause();
            waveStream.pause();
            oggStream.pause();
            std::this_thread::sleep_for(2ms);
            waveStream.stop();
            oggStream.stop();
            waveStream.reset();
            oggStream.reset();
            waveStream.setVolume(80);
            oggStream.setPan(step * 10);
        }
        waveStream.play(true);
        oggStream.play(true);
        std::this_thread::sleep_for(2ms);
        if (round % 3 == 0) {
            // Released while playing, and read again.
            waveStream.release();
            oggStream.release();
            ASSERT_TRUE(waveStream.read(&device, wave, 1));
            ASSERT_TRUE(oggStream.read(&device, ogg, 1));
            waveStream.play(true);
            oggStream.play(false);
        }
        // Destroyed while playing: the threads end before the data goes.
    }
    running = false;
    card.join();
    EXPECT_EQ(device.getMixer()->bufferCount(), 0);
    EXPECT_EQ(sink.count(), 0u);
}
