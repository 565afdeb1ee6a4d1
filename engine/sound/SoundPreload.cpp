#include "engine/sound/SoundPreload.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "engine/material/KeptFiles.h"
#include "engine/material/PicturePreload.h"
#include "engine/sound/SoundFile.h"

namespace veru::sound {

namespace {

using dxt::material::PictureFile;
using dxt::material::PreloadPass;

dxt::material::KeptFiles<platform::ConvertedSamples>& store() {
    static dxt::material::KeptFiles<platform::ConvertedSamples> kept;
    return kept;
}

}  // namespace

void preloadSound(const YString& path, SoundFile& file) {
    if (!PreloadPass::active())
        return;
    PreloadPass::checkStop();
    PictureFile identity;
    if (!PictureFile::of(path, 0, identity) || store().has(identity))
        return;
    if (!file.open(path) || file.dataSize() == 0)
        return;
    const WaveFormat format = file.getFormat();  // closing the file forgets it
    // As BufferedSound::read fills its buffer: the whole data from the start,
    // silence after what the file gave.
    std::vector<std::uint8_t> data(file.dataSize(), format.silenceByte());
    std::uint32_t got = 0;
    const bool read = file.rewind() && file.readToBuffer(data.data(), file.dataSize(), &got);
    file.close();
    if (!read)
        return;  // the main thread's read shows what is wrong
    std::optional<platform::ConvertedSamples> converted = platform::Mixer::convertWhole(
        format.toAudioFormat(), data.data(), static_cast<std::uint32_t>(data.size()));
    if (converted)
        store().keep(identity, std::move(*converted));
}

std::optional<platform::ConvertedSamples> takePreloadedSound(const YString& path) {
    return store().take(path);
}

void dropPreloadedSounds() {
    store().drop();
}

std::size_t preloadedSoundCount() {
    return store().count();
}

}  // namespace veru::sound
