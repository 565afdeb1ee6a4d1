#pragma once
// BufferedSound: what Sound (wave) and SoundOgg (Ogg Vorbis) share: the whole
// file held in one buffer, played by one or more voices that share it.
//
// A subclass says which file class reads its data, how paths are checked and
// how its error captions are named ("Sound::play()", "SoundOgg::play()").
// Operations on a sound with nothing loaded show "バッファーにデータがありません。"
// once (later calls just return false), so a sound that failed to load keeps
// the game going silently instead of stopping it with a box every frame.
//
// Ownership: owns its voices and its file; the device is borrowed and must
// outlive the voices (release them first).
// Thread: main thread; on a thread holding a dxt::material::PreloadPass, read
// only reads the file ahead for the main thread's read (SoundPreload.h) and
// makes no voice.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/platform/audio/AudioBuffer.h"
#include "engine/sound/ISound.h"
#include "engine/sound/SoundFile.h"

namespace veru::sound {

class BufferedSound : public ISound {
  public:
    ~BufferedSound() override;

    bool read(YDirectSound* device, const YString& path, int voices) override;
    bool read(YDirectSound* device, const char* path, int voices) override;
    // Instead of reading a file: `voices` new voices on the samples `source`
    // holds (the same file's), each with its own position, volume and pan.
    // The samples stay alive while any voice on them does. False, with
    // nothing changed, when the source holds none.
    bool shareSamples(const BufferedSound& source, int voices);
    bool isLooping() override { return looping; }
    bool isPlaying() override;
    bool get3DBuffer(int index, platform::AudioBuffer** buffer) override;
    void setVolume(int percent) override;
    void setPan(int value) override;
    bool play(bool loop) override;
    bool pause() override;
    bool stop() override;
    void release() override;
    bool reset() override;

    // Hundredths of a decibel, as stored.
    int getVolume() const { return volume; }
    int getPan() const { return pan; }
    std::uint32_t getBufferBytes() const { return bufferBytes; }
    int getVoiceCount() const { return voiceCount; }

  protected:
    // `name` starts the captions of this sound's error boxes.
    explicit BufferedSound(const char16_t* name);

    virtual std::unique_ptr<SoundFile> createFile() = 0;
    // "WaveFile" or "OggFile", for the messages about the file.
    virtual const char16_t* fileKind() const = 0;
    // Shows the box for a path this class cannot take and returns false.
    virtual bool checkPath(const YString& path);

    // Fills the whole voice from the start of the file; at the file's end
    // either reads it again (`repeat`) or fills with silence.
    bool fillupBuffer(bool repeat, platform::AudioBuffer* voice);
    // Buffers of the mixer are never lost; kept for the checks it makes.
    bool restoreBuffer(platform::AudioBuffer* voice, bool* restored);
    platform::AudioBuffer* pickVoice();
    // Makes the voices: `first` and count - 1 duplicates on its samples.
    void makeVoices(std::unique_ptr<platform::AudioBuffer> first, int count);

    // The non-virtual bodies, for subclasses that wrap the public operations.
    bool anyVoicePlaying() const;
    void stopVoices();
    bool playVoice(bool loop);
    void releaseVoices();
    // Shows the no-data box the first time; always false.
    bool reportEmpty(const char16_t* operation);
    YString caption(const char16_t* operation) const;
    static void fillSilence(std::uint8_t* data, std::uint32_t bytes, const WaveFormat& format);

    const char16_t* name;
    bool looping = false;
    std::vector<std::unique_ptr<platform::AudioBuffer>> voices;
    std::uint32_t bufferBytes = 0;
    int voiceCount = 0;
    std::unique_ptr<SoundFile> file;
    int volume = 0;
    int pan = 0;
    bool emptyReported = false;
};

}  // namespace veru::sound
