#pragma once
// SoundManger: owns the sound device and every sound of the program.
//
// Scenes ask it for sounds by path; the suffix picks the class ("wav" or
// "ogg", compared case-sensitively). Every request makes a new sound, even
// for a path asked before: each has its own voice, position, volume and
// pan. Buffered sounds of a path asked before share the samples the first
// one read (the file is read once per scene). The pointer handed back stays
// valid until stopAll, which the scene manager calls at every scene switch;
// stopAll also forgets what was read, so the next scene reads its files anew. A sound
// that fails to load has shown its box and stays silent.
//
// Ownership: owns the device and the sounds; callers borrow the sounds.
// Destruction stops and frees every sound, then releases the device.
// Thread: main thread.
// Failure: an unsupported suffix shows "対応していないファイルが指定されました。："
// with the path (caption "SoundManger::getSound()") and yields null.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "engine/sound/ISound.h"
#include "engine/sound/ISoundOwner.h"
#include "engine/sound/IStreamingSound.h"
#include "engine/sound/YDirectSound.h"

namespace veru::sound {

class BufferedSound;

class SoundManger : public ISoundOwner {
  public:
    SoundManger();
    ~SoundManger() override;
    SoundManger(const SoundManger&) = delete;
    SoundManger& operator=(const SoundManger&) = delete;

    enum class Category { effect, music };
    static constexpr int kMaxLevel = 10;
    static constexpr int kVolumeStepDb = 3;
    // What create says when there is no sound card (stderr; the
    // configuration shows it too).
    static constexpr const char16_t* kNoDeviceMessage =
        u"サウンドデバイスが見つからないため、音なしで動いています。(no sound device was found)";

    // Opens the sound device (silent when there is no sound card). Without a
    // sound card it says so once on stderr; hasOutput() then is false.
    bool create(platform::Window* window);
    // False until create found a real sound output (a sound card, not the
    // silent stand-in).
    bool hasOutput() const { return output; }

    // Buffered sounds (Sound, SoundOgg), given the manager's volume and pan,
    // in the effect category.
    ISound* getSound(const YString& path);
    ISound* getSound(const char* ansiPath);
    // A buffered sound in the music category (a stage tune read whole).
    ISound* getMusic(const YString& path);
    // Streaming sounds (StreamingSound, StreamingSoundOgg).
    IStreamingSound* getStreamingSound(const YString& path);
    IStreamingSound* getStreamingSound(const char* ansiPath);

    void stopAll() override;

    // Percent 0-100 and -100-100, for sounds made from now on.
    void setVolume(int percent) { volume = percent; }
    // The player's volume of a category, 0 ... kMaxLevel (clamped); applied
    // to every sound of it, playing or not, and to those made later.
    void setLevel(Category category, int level);
    int getLevel(Category category) const;
    // The percent (ISound::setVolume) a sound of `percent` plays at under
    // `level`: 0 for level 0, else kVolumeStepDb less per step below full.
    static int scaledPercent(int percent, int level);
    void setPan(int value) { pan = value; }
    int getVolume() const { return volume; }
    int getPan() const { return pan; }
    YDirectSound& getDevice() { return device; }
    std::size_t getSoundCount() const { return sounds.size(); }
    std::size_t getStreamCount() const { return streams.size(); }
    // Underruns of the streamed music counted by the device's mixer, and the
    // frames it has mixed (both 0 without a device); any thread.
    std::uint64_t getUnderrunCount() const;
    std::uint64_t getMixedFrames() const;

  private:
    enum class Kind { none, wave, ogg };
    static Kind kindOf(const YString& path);
    // Makes the sound or stream the suffix calls for, lets `read` load it
    // and keeps it; null (after the box) for an unsupported suffix.
    ISound* addSound(const YString& path, Category category,
                     const std::function<void(BufferedSound&)>& read);
    void applyLevel(ISound& sound, Category category) const;
    // Lets `sound` share the samples of the sound that read `path` before;
    // false when none holds them.
    bool shareRead(const YString& path, BufferedSound& sound);
    IStreamingSound* addStream(const YString& path,
                               const std::function<void(IStreamingSound&)>& read);

    int volume = 100;
    int pan = 0;
    int musicLevel = kMaxLevel;
    int effectLevel = kMaxLevel;
    bool output = false;
    YDirectSound device;
    std::vector<std::unique_ptr<ISound>> sounds;
    std::vector<Category> soundCategories;  // one per entry of `sounds`
    // The first sound that read each path, among `sounds`: the others share its samples.
    std::map<YString, BufferedSound*> readSounds;
    std::vector<std::unique_ptr<IStreamingSound>> streams;
};

}  // namespace veru::sound
