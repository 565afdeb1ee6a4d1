#include "engine/sound/TunePreload.h"

#include <utility>

#include "engine/material/KeptFiles.h"
#include "engine/material/PicturePreload.h"
#include "engine/sound/OggFile.h"
#include "engine/sound/StreamingSoundOgg.h"

namespace veru::sound {

namespace {

using dxt::material::PictureFile;
using dxt::material::PreloadPass;

dxt::material::KeptFiles<PreparedTune>& store() {
    static dxt::material::KeptFiles<PreparedTune> kept;
    return kept;
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
    if (!OggFile::isAsciiPath(path) || !PictureFile::of(path, 0, file) || store().has(file))
        return;
    PreparedTune tune;
    tune.decoder = std::make_unique<OggFile>();
    if (!tune.decoder->open(path))
        return;
    tune.firstFill.resize(StreamingSoundOgg::ringBytesOf(tune.decoder->getFormat()));
    tune.decoder->readToBuffer(tune.firstFill.data(),
                               static_cast<std::uint32_t>(tune.firstFill.size()), &tune.decoded);
    store().keep(file, std::move(tune));
}

std::optional<PreparedTune> takePreloadedTune(const YString& path) {
    return store().take(path);
}

void dropPreloadedTunes() {
    store().drop();
}

std::size_t preloadedTuneCount() {
    return store().count();
}

}  // namespace veru::sound
