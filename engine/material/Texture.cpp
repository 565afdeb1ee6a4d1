#include "engine/material/Texture.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/exceptions/FileNotFoundException.h"
#include "engine/exceptions/IOException.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/YFile.h"
#include "engine/material/ImageContainer.h"
#include "engine/platform/image/Image.h"
#include "engine/platform/video/VideoDevice.h"

namespace veru::dxt::material {

namespace {

const char16_t* const kCreateFailed = u"テクスチャの作成(CreateTexture)に失敗しました。";

[[noreturn]] void throwUnreadable(const YString& path) {
    throw excp::IOException(YString(u"画像の読込みに失敗しました。：") + path);
}

}  // namespace

Texture::Texture() = default;

Texture::~Texture() = default;

void Texture::load(const YString& path, platform::VideoDevice* device, const Color& key) {
    io::YFile file(path);
    if (!file.exists || !file.isFile) {
        throw excp::FileNotFoundException(path);
    }
    platform::Image image;
    bool decoded = false;
    bool opaque = false;
    if (path.hasSuffix("ytx")) {
        ImageContainer container = readImageContainer(path, "ytx");
        decoded = platform::decodeImage(container.payload, image, key.pack());
        // Anything but 32 bits has no alpha channel: keyed pixels end up black.
        opaque = container.header.bitDepth != 32;
    } else {
        std::vector<std::uint8_t> bytes = io::ByteFileReader(path).readRest();
        decoded = platform::decodeImage(bytes, image, key.pack());
    }
    if (!decoded || image.width <= 0 || image.height <= 0) {
        throwUnreadable(path);
    }
    if (opaque) {
        for (std::uint32_t& p : image.pixels) {
            p |= 0xFF000000u;
        }
    }
    if (!device) {
        throw excp::IOException(kCreateFailed);
    }
    std::unique_ptr<platform::DeviceTexture> made =
        device->createTexture(image.width, image.height, image.pixels.data());
    if (!made) {
        throw excp::IOException(kCreateFailed);
    }
    adopt(std::move(made));
    width = cellWidth = image.width;
    height = cellHeight = image.height;
    placeAtOrigin();
    uploadVertices(device);
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
    placeAtOrigin();
    uploadVertices(nullptr);
}

void Texture::createBlank(platform::VideoDevice* device, int w, int h) {
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
    placeAtOrigin();
    uploadVertices(device);
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
    placeAtOrigin();
    uploadVertices(device);
    return true;
}

void Texture::adopt(std::unique_ptr<platform::DeviceTexture> made) {
    texture = std::move(made);
    opaqueTwin.reset();
    frame = column = row = 0;
    frameCount = -1;
    columns = rows = 0;
}

void Texture::placeAtOrigin() {
    place(0.0f, 0.0f, 1.0f, 1.0f, 0);
    updateTexCoords();
    applyAlpha();
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

void Texture::updateTexCoords() {
    setTexCoords(sourceRect());
}

void Texture::setTexCoords(const SourceRect& cell) {
    float u0 = 0.0f, v0 = 0.0f, u1 = 1.0f, v1 = 1.0f;
    if (width > 0 && height > 0) {
        float w = static_cast<float>(width);
        float h = static_cast<float>(height);
        u0 = static_cast<float>(cell.left) / w;
        v0 = static_cast<float>(cell.top) / h;
        u1 = static_cast<float>(cell.right) / w;
        v1 = static_cast<float>(cell.bottom) / h;
    }
    vertices[0].u = u0;
    vertices[0].v = v0;
    vertices[1].u = u1;
    vertices[1].v = v0;
    vertices[2].u = u0;
    vertices[2].v = v1;
    vertices[3].u = u1;
    vertices[3].v = v1;
}

void Texture::applyAlpha() {
    std::uint32_t a = static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24;
    for (Vertex& v : vertices) {
        v.z = 0.0f;
        v.rhw = 1.0f;
        v.color = (v.color & 0x00FFFFFFu) | a;
    }
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

void Texture::placeQuad(float x, float y, float scaleX, float scaleY, float sine, float cosine,
                        bool centred) {
    QuadExtent e = quadExtent(scaleX, scaleY, centred);
    auto corner = [&](Vertex& v, float cx, float cy) {
        v.x = x + cx * cosine - cy * sine;
        v.y = y + cx * sine + cy * cosine;
    };
    corner(vertices[0], e.x0, e.y0);
    corner(vertices[1], e.x1, e.y0);
    corner(vertices[2], e.x0, e.y1);
    corner(vertices[3], e.x1, e.y1);
}

void Texture::place(float x, float y, float scaleX, float scaleY, int angle) {
    float r = static_cast<float>(angle) * 0.017453292f;
    placeQuad(x, y, scaleX, scaleY, std::sin(r), std::cos(r), false);
}

platform::DeviceTexture* Texture::getOpaqueTwin(platform::VideoDevice* device) {
    if (!opaqueTwin && texture && device) {
        std::vector<std::uint32_t> pixels = texture->getPixels();
        for (std::uint32_t& p : pixels) {
            p |= 0xFF000000u;
        }
        opaqueTwin = device->createTexture(texture->getWidth(), texture->getHeight(), pixels.data());
    }
    return opaqueTwin.get();
}

void Texture::uploadVertices(platform::VideoDevice*) {
    vertexBuffer = vertices;
}

}  // namespace veru::dxt::material
