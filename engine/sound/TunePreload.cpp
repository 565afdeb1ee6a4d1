#include "engine/sound/TunePreload.h"

#include <map>
#include <mutex>
#include <utility>

#include "engine/material/PicturePreload.h"
#include "engine/sound/OggFile.h"
#include "engine/sound/StreamingSoundOgg.h"

namespace veru::sound {

namespace {

using dxt::material::PictureFile;
using dxt::material::PreloadPass;

struct Store {
    std::mutex lock;
    std::map<PictureFile, PreparedTune> tunes;
};

Store& store() {
    static Store kept;
    return kept;
}

bool kept(const PictureFile& file) {
    Store& tunes = store();
    const std::lock_guard guard(tunes.lock);
    return tunes.tunes.count(file) > 0;
}

}  // namespace

PreparedTune::PreparedTune() = default;
PreparedTune::~PreparedTune() = default;
PreparedTune::PreparedTune(PreparedTune&&) noexcept = default;
PreparedTune& PreparedTune::operator=(PreparedTune&&) noexcept = default;

void preloadTune(const YString& path) {
    if (!PreloadPass::active())
        return;
    PreloadPass::checkStop();
    PictureFile file;
    if (!OggFile::isAsciiPath(path) || !PictureFile::of(path, 0, file) || kept(file))
        return;
    PreparedTune tune;
    tune.decoder = std::make_unique<OggFile>();
    if (!tune.decoder->open(path))
        return;
    tune.firstFill.resize(StreamingSoundOgg::ringBytesOf(tune.decoder->getFormat()));
    tune.decoder->readToBuffer(tune.firstFill.data(),
                               static_cast<std::uint32_t>(tune.firstFill.size()), &tune.decoded);
    Store& tunes = store();
    const std::lock_guard guard(tunes.lock);
    tunes.tunes.try_emplace(std::move(file), std::move(tune));
}

std::optional<PreparedTune> takePreloadedTune(const YString& path) {
    PictureFile file;
    if (!PictureFile::of(path, 0, file))
        return std::nullopt;
    Store& tunes = store();
    const std::lock_guard guard(tunes.lock);
    auto found = tunes.tunes.find(file);
    if (found == tunes.tunes.end())
        return std::nullopt;
    PreparedTune tune = std::move(found->second);
    tunes.tunes.erase(found);
    return tune;
}

void dropPreloadedTunes() {
    std::map<PictureFile, PreparedTune> gone;
    {
        Store& tunes = store();
        const std::lock_guard guard(tunes.lock);
        gone.swap(tunes.tunes);
    }
    // Closed outside the lock.
}

std::size_t preloadedTuneCount() {
    Store& tunes = store();
    const std::lock_guard guard(tunes.lock);
    return tunes.tunes.size();
}

}  // namespace veru::sound
