#include "engine/material/Texture.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/exceptions/FileNotFoundException.h"
#include "engine/exceptions/IOException.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/LocalizedFile.h"
#include "engine/material/ImageContainer.h"
#include "engine/material/PicturePreload.h"
#include "engine/platform/FileSystem.h"
#include "engine/platform/image/Image.h"
#include "engine/platform/video/VideoDevice.h"

namespace veru::dxt::material {

namespace {

const char16_t* const kCreateFailed = u"テクスチャの作成(CreateTexture)に失敗しました。";

[[noreturn]] void throwUnreadable(const YString& path) {
    throw excp::IOException(YString(u"画像の読込みに失敗しました。：") + path);
}

// Pictures loaded from files, shared by every texture loaded from the same
// file with the same key on the same device. The file's identity (device and inode), size
// and modification time are part of the key, so that a file replaced on disk
// is read again. Entries hold no picture alive: they expire with the last
// texture using it and are swept on the next miss.
struct PictureKey {
    const platform::VideoDevice* device = nullptr;
    PictureFile file;

    bool operator<(const PictureKey& o) const {
        return std::tie(device, file) < std::tie(o.device, o.file);
    }
};

std::map<PictureKey, std::weak_ptr<platform::DeviceTexture>>& sharedPictures() {
    static std::map<PictureKey, std::weak_ptr<platform::DeviceTexture>> pictures;
    return pictures;
}

// Reads and decodes the picture file at `path`; false when the decoder
// refuses it. Throws the container reader's exceptions.
bool decodePicture(const YString& path, std::uint32_t key, platform::Image& image) {
    bool decoded = false;
    bool opaque = false;
    if (path.hasSuffix("ytx")) {
        ImageContainer container = readImageContainer(path, "ytx");
        decoded = platform::decodeImage(container.payload, image, key);
        if (decoded)
            checkContainerSize(container.header, image.width, image.height, u"テクスチャ作成失敗。",
                               path);
        // Anything but 32 bits has no alpha channel: keyed pixels end up black.
        opaque = container.header.bitDepth != 32;
    } else {
        std::vector<std::uint8_t> bytes = io::ByteFileReader(path).readRest();
        decoded = platform::decodeImage(bytes, image, key);
    }
    if (!decoded || image.width <= 0 || image.height <= 0) {
        return false;
    }
    if (opaque) {
        for (std::uint32_t& p : image.pixels) {
            p |= 0xFF000000u;
        }
    }
    return true;
}

std::shared_ptr<platform::DeviceTexture> findSharedPicture(const PictureKey& key) {
    auto& pictures = sharedPictures();
    auto it = pictures.find(key);
    if (it == pictures.end()) {
        return nullptr;
    }
    std::shared_ptr<platform::DeviceTexture> picture = it->second.lock();
    // A texture whose device has gone draws nothing: load the file again.
    return picture && picture->isValid() ? picture : nullptr;
}

void shareNewPicture(const PictureKey& key, const std::shared_ptr<platform::DeviceTexture>& made) {
    auto& pictures = sharedPictures();
    std::erase_if(pictures, [](const auto& entry) { return entry.second.expired(); });
    pictures[key] = made;
}

// Opaque twins, shared like the pictures they are made from. The source is
// kept weakly beside the twin, so that a new picture at a freed one's address
// is never taken for it.
struct SharedTwin {
    std::weak_ptr<platform::DeviceTexture> source;
    std::weak_ptr<platform::DeviceTexture> twin;
};

std::map<const platform::DeviceTexture*, SharedTwin>& sharedTwins() {
    static std::map<const platform::DeviceTexture*, SharedTwin> twins;
    return twins;
}

// Pictures uploaded ahead of the loads that will share them; held here so
// that they stay alive until those loads have taken them.
std::vector<std::shared_ptr<platform::DeviceTexture>>& uploadedAhead() {
    static std::vector<std::shared_ptr<platform::DeviceTexture>> held;
    return held;
}

}  // namespace

bool uploadPreloadedPicture(platform::VideoDevice* device) {
    if (!device)
        return false;
    std::optional<std::pair<PictureFile, platform::Image>> picture = handOverPreloadedPicture();
    if (!picture)
        return false;
    const platform::Image& image = picture->second;
    std::shared_ptr<platform::DeviceTexture> made =
        device->createTexture(image.width, image.height, image.pixels.data());
    // A picture the device refuses is loaded again by its own load, which
    // then reports the failure as it always does.
    if (made) {
        shareNewPicture(PictureKey{device, std::move(picture->first)}, made);
        uploadedAhead().push_back(std::move(made));
    }
    return true;
}

void releaseUploadedPictures() {
    uploadedAhead().clear();
}

std::size_t sharedPictureCount() {
    std::size_t live = 0;
    for (const auto& entry : sharedPictures()) {
        live += entry.second.expired() ? 0u : 1u;
    }
    return live;
}

Texture::Texture() = default;

Texture::~Texture() = default;

void Texture::load(const YString& requested, platform::VideoDevice* device, const Color& key) {
    // Pictures of words come in one file per language.
    const YString path = io::localizedFileIfPresent(requested);
    const platform::FileStatus file = platform::rememberedStatus(path);
    if (!file.exists || file.isDirectory) {
        throw excp::FileNotFoundException(path);
    }
    if (PreloadPass::active()) {
        preload(path, key.pack());
        return;
    }
    PictureKey shareKey;
    const bool shareable = device && PictureFile::of(path, key.pack(), shareKey.file);
    shareKey.device = device;
    if (shareable) {
        if (std::shared_ptr<platform::DeviceTexture> shared = findSharedPicture(shareKey)) {
            const int w = shared->getWidth();
            const int h = shared->getHeight();
            adopt(std::move(shared));
            width = cellWidth = w;
            height = cellHeight = h;
            return;
        }
    }
    // Decoded ahead by a worker, or now.
    std::optional<platform::Image> ready;
    if (shareable) {
        ready = takePreloadedPicture(shareKey.file);
    }
    platform::Image image = ready ? std::move(*ready) : platform::Image{};
    if (!ready && !decodePicture(path, key.pack(), image)) {
        throwUnreadable(path);
    }
    if (!device) {
        throw excp::IOException(kCreateFailed);
    }
    std::shared_ptr<platform::DeviceTexture> made =
        device->createTexture(image.width, image.height, image.pixels.data());
    if (!made) {
        throw excp::IOException(kCreateFailed);
    }
    if (shareable) {
        shareNewPicture(shareKey, made);
    }
    adopt(std::move(made));
    width = cellWidth = image.width;
    height = cellHeight = image.height;
}

void Texture::preload(const YString& path, std::uint32_t key) {
    PreloadPass::checkStop();
    PictureFile picture;
    const bool known = PictureFile::of(path, key, picture);
    int w = 0, h = 0;
    if (!known || !findPreloadedPicture(picture, w, h)) {
        platform::Image image;
        if (!decodePicture(path, key, image)) {
            throwUnreadable(path);
        }
        w = image.width;
        h = image.height;
        if (known) {
            storePreloadedPicture(picture, std::move(image));
        }
    }
    adopt(nullptr);
    width = cellWidth = w;
    height = cellHeight = h;
}

bool Texture::loadSheet(const YString& path, platform::VideoDevice* device, int count, int cellW,
                        int cellH, const Color& key) {
    load(path, device, key);
    cutIntoCells(count, cellW, cellH);
    return true;
}

void Texture::cutIntoCells(int count, int cellW, int cellH) {
    frameCount = count;
    // A cell size of 0 or one larger than the picture would leave no cell to
    // show (and divide by zero while stepping): such a side is one cell.
    cellWidth = cellW > 0 && cellW <= width ? cellW : width;
    cellHeight = cellH > 0 && cellH <= height ? cellH : height;
    columns = width / cellWidth;
    rows = height / cellHeight;
    if (frameCount <= 0) {
        frameCount = 1;
    }
    frameCount = std::min(frameCount, columns * rows);
    frame = column = row = 0;
}

void Texture::createBlank(platform::VideoDevice* device, int w, int h) {
    if (PreloadPass::active())
        return;  // nothing to read ahead: made when the scene loads
    if (!device || w <= 0 || h <= 0) {
        throw excp::IOException(kCreateFailed);
    }
    std::vector<std::uint32_t> black(static_cast<std::size_t>(w) * static_cast<std::size_t>(h),
                                     0xFF000000u);
    std::unique_ptr<platform::DeviceTexture> made = device->createTexture(w, h, black.data());
    if (!made) {
        throw excp::IOException(kCreateFailed);
    }
    adopt(std::move(made));
    width = cellWidth = w;
    height = cellHeight = h;
    alpha = 255;
}

bool Texture::createFromPixels(int w, int h, platform::VideoDevice* device,
                               const std::uint32_t* pixels) {
    if (w <= 0 || h <= 0) {
        return false;
    }
    if (!device) {
        throw excp::IOException(kCreateFailed);
    }
    std::unique_ptr<platform::DeviceTexture> made = device->createTexture(w, h, pixels);
    if (!made) {
        throw excp::IOException(kCreateFailed);
    }
    adopt(std::move(made));
    width = cellWidth = w;
    height = cellHeight = h;
    return true;
}

void Texture::adopt(std::shared_ptr<platform::DeviceTexture> made) {
    texture = std::move(made);
    opaqueTwin.reset();
    twinRefused = false;
    frame = column = row = 0;
    frameCount = -1;
    columns = rows = 0;
}

bool Texture::nextFrame() {
    bool lap = false;
    frame += 1;
    if (frame >= frameCount) {
        frame = 0;
        lap = true;
    }
    if (rows > 0) {
        column = frame / rows;
        row = frame % rows;
    }
    return lap;
}

void Texture::fadeOut(int amount) {
    alpha = std::clamp(alpha - amount, 0, 255);
}

void Texture::fadeIn(int amount) {
    alpha = std::clamp(alpha + amount, 0, 255);
}

SourceRect Texture::sourceRect() const {
    if (!isSheet()) {
        return SourceRect{0, 0, width, height};
    }
    int left = column * cellWidth;
    int top = row * cellHeight;
    return SourceRect{left, top, left + cellWidth, top + cellHeight};
}

QuadExtent Texture::quadExtent(float scaleX, float scaleY, bool centred) const {
    int m = 0;
    int l = 0;
    if (centred) {
        m = static_cast<int>(scaleX * static_cast<float>(-(cellWidth >> 1)));
        l = static_cast<int>(scaleY * static_cast<float>(-(cellHeight >> 1)));
    }
    // The near edges lie one scaled pixel inside the offset.
    return QuadExtent{static_cast<float>(m) + scaleX,
                      static_cast<float>(m) + scaleX * static_cast<float>(cellWidth),
                      static_cast<float>(l) + scaleY,
                      static_cast<float>(l) + scaleY * static_cast<float>(cellHeight)};
}

platform::DeviceTexture* Texture::getOpaqueTwin(platform::VideoDevice* device) {
    if (!opaqueTwin && !twinRefused && texture && device) {
        auto& twins = sharedTwins();
        auto it = twins.find(texture.get());
        if (it != twins.end() && it->second.source.lock() == texture) {
            opaqueTwin = it->second.twin.lock();
        }
        if (!opaqueTwin || !opaqueTwin->isValid()) {
            opaqueTwin.reset();
            // Where the picture lives on the card only, it is read back from there.
            std::vector<std::uint32_t> pixels = device->texturePixels(*texture);
            for (std::uint32_t& p : pixels) {
                p |= 0xFF000000u;
            }
            if (!pixels.empty()) {
                opaqueTwin =
                    device->createTexture(texture->getWidth(), texture->getHeight(), pixels.data());
            }
            // Not asked again on every draw: the picture's additive draws show nothing.
            twinRefused = !opaqueTwin;
            if (opaqueTwin) {
                std::erase_if(twins, [](const auto& entry) { return entry.second.twin.expired(); });
                twins[texture.get()] = SharedTwin{texture, opaqueTwin};
            }
        }
    }
    return opaqueTwin.get();
}

}  // namespace veru::dxt::material
