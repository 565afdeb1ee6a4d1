#include "engine/material/PicturePreload.h"

#include "engine/material/KeptFiles.h"

#include <map>
#include <mutex>
#include <system_error>
#include <utility>

#include "engine/platform/FileSystem.h"

namespace veru::dxt::material {

namespace {

thread_local PreloadPass* currentPass = nullptr;

struct Store {
    std::mutex lock;
    std::map<PictureFile, platform::Image> pictures;
    // The sizes of pictures handed over ahead of their load, so that the
    // worker does not decode them again.
    std::map<PictureFile, std::pair<int, int>> handedOver;
};

KeptFiles<StreamedFile>& streamedFiles() {
    static KeptFiles<StreamedFile> kept;
    return kept;
}

Store& store() {
    static Store kept;
    return kept;
}

}  // namespace

bool PictureFile::of(const YString& path, std::uint32_t key, PictureFile& out) {
    const platform::FileStatus status = platform::rememberedStatus(path);
    if (!status.exists || !status.isRegular)
        return false;
    out = PictureFile{status.device, status.inode, status.size, status.modifiedNs, key};
    return true;
}

PreloadPass::PreloadPass(std::stop_token stop) : stop(std::move(stop)), previous(currentPass) {
    currentPass = this;
}

PreloadPass::~PreloadPass() {
    currentPass = previous;
}

bool PreloadPass::active() {
    return currentPass != nullptr;
}

void PreloadPass::checkStop() {
    if (currentPass && currentPass->stop.stop_requested())
        throw PreloadStopped{};
}

void storePreloadedPicture(const PictureFile& file, platform::Image image) {
    Store& kept = store();
    const std::lock_guard guard(kept.lock);
    kept.pictures.try_emplace(file, std::move(image));
}

bool findPreloadedPicture(const PictureFile& file, int& width, int& height) {
    Store& kept = store();
    const std::lock_guard guard(kept.lock);
    if (const auto found = kept.pictures.find(file); found != kept.pictures.end()) {
        width = found->second.width;
        height = found->second.height;
        return true;
    }
    if (const auto found = kept.handedOver.find(file); found != kept.handedOver.end()) {
        width = found->second.first;
        height = found->second.second;
        return true;
    }
    return false;
}

std::optional<platform::Image> takePreloadedPicture(const PictureFile& file) {
    Store& kept = store();
    const std::lock_guard guard(kept.lock);
    auto found = kept.pictures.find(file);
    if (found == kept.pictures.end())
        return std::nullopt;
    platform::Image image = std::move(found->second);
    kept.pictures.erase(found);
    return image;
}

std::optional<std::pair<PictureFile, platform::Image>> handOverPreloadedPicture() {
    Store& kept = store();
    const std::lock_guard guard(kept.lock);
    for (auto it = kept.pictures.begin(); it != kept.pictures.end(); ++it) {
        if (it->first.surface)
            continue;
        auto picture = std::make_pair(it->first, std::move(it->second));
        kept.pictures.erase(it);
        kept.handedOver.insert_or_assign(
            picture.first, std::make_pair(picture.second.width, picture.second.height));
        return picture;
    }
    return std::nullopt;
}

void storePreloadedStream(const PictureFile& file, StreamedFile read) {
    streamedFiles().keep(file, std::move(read));
}

bool hasPreloadedStream(const PictureFile& file) {
    return streamedFiles().has(file);
}

std::optional<StreamedFile> takePreloadedStream(const PictureFile& file) {
    return streamedFiles().take(file);
}

void dropPreloadedPictures() {
    std::map<PictureFile, platform::Image> gone;
    {
        Store& kept = store();
        const std::lock_guard guard(kept.lock);
        gone.swap(kept.pictures);
        kept.handedOver.clear();
    }
    // Freed outside the lock.
    streamedFiles().drop();
}

std::size_t preloadedPictureCount() {
    Store& kept = store();
    const std::lock_guard guard(kept.lock);
    return kept.pictures.size();
}

std::size_t preloadedPictureBytes() {
    Store& kept = store();
    const std::lock_guard guard(kept.lock);
    std::size_t bytes = 0;
    for (const auto& entry : kept.pictures)
        bytes += entry.second.pixels.size() * sizeof(std::uint32_t);
    streamedFiles().each([&bytes](const StreamedFile& read) {
        bytes += read.file.bytes.size();
        for (const auto& tile : read.firstTiles)
            bytes += tile.size() * sizeof(std::uint32_t);
    });
    return bytes;
}

}  // namespace veru::dxt::material
