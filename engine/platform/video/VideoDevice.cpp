#include "engine/platform/video/VideoDevice.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "engine/platform/video/Window.h"

namespace veru::platform {

namespace {

// Every device alive, so that the event pump can restore their textures.
std::vector<VideoDevice*>& liveDevices() {
    static std::vector<VideoDevice*> devices;
    return devices;
}

SDL_BlendMode sdlBlend(BlendMode blend) {
    switch (blend) {
        case BlendMode::none:
            return SDL_BLENDMODE_NONE;
        case BlendMode::add:
            return SDL_BLENDMODE_ADD;
        case BlendMode::blend:
            break;
    }
    return SDL_BLENDMODE_BLEND;
}

SDL_Color sdlColor(std::uint32_t argb) {
    return SDL_Color{static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8),
                     static_cast<Uint8>(argb), static_cast<Uint8>(argb >> 24)};
}

}  // namespace

std::unique_ptr<VideoDevice> VideoDevice::create(Window* window, int width, int height,
                                                 std::string& error) {
    std::unique_ptr<VideoDevice> device(new VideoDevice());
    device->window = window;
    device->width = width;
    device->height = height;
    // Let SDL collect draws into batches even when we name the renderer.
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    if (window) {
        device->renderer.reset(SDL_CreateRenderer(window->handle(), -1, SDL_RENDERER_ACCELERATED));
        device->kind = Kind::accelerated;
        if (!device->renderer) {
            device->renderer.reset(SDL_CreateRenderer(window->handle(), -1, SDL_RENDERER_SOFTWARE));
            device->kind = Kind::software;
        }
    }
    if (!device->renderer) {
        device->offscreen.reset(
            SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888));
        if (device->offscreen) {
            device->renderer.reset(SDL_CreateSoftwareRenderer(device->offscreen.get()));
        }
        device->kind = Kind::offscreen;
    }
    if (!device->renderer) {
        error = SDL_GetError();
        return nullptr;
    }
    if (device->kind != Kind::offscreen) {
        // Full screen scales the back buffer to the desktop and letterboxes it.
        SDL_RenderSetLogicalSize(device->renderer.get(), width, height);
    }
    liveDevices().push_back(device.get());
    return device;
}

VideoDevice::~VideoDevice() {
    auto& devices = liveDevices();
    devices.erase(std::remove(devices.begin(), devices.end(), this), devices.end());
    // Textures may outlive the device: they lose their SDL texture and draw nothing.
    // Their SDL textures must go before the renderer that made them.
    for (DeviceTexture* texture : textures) {
        texture->texture.reset();
        texture->device = nullptr;
    }
    // The members then destroy the renderer, and after it the off-screen surface.
}

std::string VideoDevice::rendererName() const {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer.get(), &info) != 0 || !info.name) {
        return {};
    }
    return info.name;
}

std::unique_ptr<DeviceTexture> VideoDevice::createTexture(int w, int h, const std::uint32_t* argb) {
    if (w <= 0 || h <= 0) {
        return nullptr;
    }
    std::unique_ptr<DeviceTexture> texture(new DeviceTexture(this, w, h));
    texture->pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0u);
    if (argb) {
        std::copy(argb, argb + texture->pixels.size(), texture->pixels.begin());
    }
    if (!upload(*texture)) {
        texture->device = nullptr;
        return nullptr;
    }
    textures.push_back(texture.get());
    return texture;
}

bool VideoDevice::upload(DeviceTexture& texture) {
    texture.texture.reset();  // the old one goes before its replacement is made
    texture.texture.reset(SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_ARGB8888,
                                            SDL_TEXTUREACCESS_STATIC, texture.width,
                                            texture.height));
    if (!texture.texture.get()) {
        return false;
    }
    SDL_SetTextureBlendMode(texture.texture.get(), sdlBlend(texture.blend));
    SDL_SetTextureScaleMode(texture.texture.get(), texture.filter == Filter::point
                                                       ? SDL_ScaleModeNearest
                                                       : SDL_ScaleModeLinear);
    std::uint32_t m = texture.modulation;
    SDL_SetTextureColorMod(texture.texture.get(), static_cast<Uint8>(m >> 16),
                           static_cast<Uint8>(m >> 8), static_cast<Uint8>(m));
    SDL_SetTextureAlphaMod(texture.texture.get(), static_cast<Uint8>(m >> 24));
    return SDL_UpdateTexture(texture.texture.get(), nullptr, texture.pixels.data(),
                             texture.width * 4) == 0;
}

void VideoDevice::forget(DeviceTexture* texture) {
    auto it = std::find(textures.begin(), textures.end(), texture);
    if (it != textures.end()) {
        *it = textures.back();
        textures.pop_back();
    }
}

void VideoDevice::restoreTextures() {
    for (DeviceTexture* texture : textures) {
        upload(*texture);  // drops the SDL texture whose contents were lost, makes a new one
    }
}

void VideoDevice::restoreAllDevices() {
    for (VideoDevice* device : liveDevices()) {
        device->restoreTextures();
    }
}

void VideoDevice::applyState(DeviceTexture& texture, BlendMode blend, Filter filter,
                             std::uint32_t argb, bool modulate) {
    if (texture.blend != blend) {
        texture.blend = blend;
        SDL_SetTextureBlendMode(texture.texture.get(), sdlBlend(blend));
    }
    if (texture.filter != filter) {
        texture.filter = filter;
        SDL_SetTextureScaleMode(texture.texture.get(), filter == Filter::point
                                                           ? SDL_ScaleModeNearest
                                                           : SDL_ScaleModeLinear);
    }
    // Geometry takes its colour from the vertices; copies from the modulation.
    std::uint32_t m = modulate ? argb : 0xFFFFFFFFu;
    if (texture.modulation != m) {
        if ((texture.modulation & 0x00FFFFFFu) != (m & 0x00FFFFFFu)) {
            SDL_SetTextureColorMod(texture.texture.get(), static_cast<Uint8>(m >> 16),
                                   static_cast<Uint8>(m >> 8), static_cast<Uint8>(m));
        }
        if ((texture.modulation >> 24) != (m >> 24)) {
            SDL_SetTextureAlphaMod(texture.texture.get(), static_cast<Uint8>(m >> 24));
        }
        texture.modulation = m;
    }
}

bool VideoDevice::clear(std::uint32_t argb) {
    SDL_Color c = sdlColor(argb);
    SDL_SetRenderDrawColor(renderer.get(), c.r, c.g, c.b, c.a);
    return SDL_RenderClear(renderer.get()) == 0;
}

void VideoDevice::present() {
    SDL_RenderPresent(renderer.get());
}

void VideoDevice::drawQuad(DeviceTexture& texture, const ScreenVertex vertices[4], BlendMode blend,
                           Filter filter) {
    if (!texture.texture.get()) {
        return;
    }
    applyState(texture, blend, filter, 0xFFFFFFFFu, false);
    SDL_Vertex v[4];
    for (int i = 0; i < 4; ++i) {
        v[i].position = SDL_FPoint{vertices[i].x, vertices[i].y};
        v[i].color = sdlColor(vertices[i].argb);
        // SDL refuses coordinates outside 0..1.
        v[i].tex_coord = SDL_FPoint{std::clamp(vertices[i].u, 0.0f, 1.0f),
                                    std::clamp(vertices[i].v, 0.0f, 1.0f)};
    }
    // SDL's software renderer turns an axis-aligned quad into a rectangle
    // copy that keeps the picture upright; a quad turned by a quarter turn
    // is moved off that path by a speck no pixel centre can notice.
    if (v[0].position.x == v[1].position.x || v[0].position.y == v[2].position.y) {
        v[3].position.x += 1.0f / 1024.0f;
    }
    static const int indices[6] = {0, 1, 2, 1, 3, 2};
    SDL_RenderGeometry(renderer.get(), texture.texture.get(), v, 4, indices, 6);
}

void VideoDevice::drawCopy(DeviceTexture& texture, const PixelRect& source, float x, float y,
                           float w, float h, std::uint32_t argb, BlendMode blend, Filter filter) {
    if (!texture.texture.get()) {
        return;
    }
    applyState(texture, blend, filter, argb, true);
    SDL_Rect src{source.x, source.y, source.width, source.height};
    SDL_FRect dst{x, y, w, h};
    SDL_RenderCopyF(renderer.get(), texture.texture.get(), &src, &dst);
}

void VideoDevice::drawTurnedCopy(DeviceTexture& texture, const PixelRect& source,
                                 const CopyPlacement& p, std::uint32_t argb, BlendMode blend,
                                 Filter filter) {
    if (!texture.texture.get()) {
        return;
    }
    applyState(texture, blend, filter, argb, true);
    SDL_Rect src{source.x, source.y, source.width, source.height};
    SDL_FRect dst{p.x, p.y, p.w, p.h};
    SDL_FPoint centre{p.centreX, p.centreY};
    int flip = (p.mirrorX ? SDL_FLIP_HORIZONTAL : 0) | (p.mirrorY ? SDL_FLIP_VERTICAL : 0);
    SDL_RenderCopyExF(renderer.get(), texture.texture.get(), &src, &dst, p.angle, &centre,
                      static_cast<SDL_RendererFlip>(flip));
}

void VideoDevice::copyOpaque(DeviceTexture& texture, const PixelRect& source, int x, int y) {
    if (!texture.texture.get()) {
        return;
    }
    applyState(texture, BlendMode::none, Filter::point, 0xFFFFFFFFu, true);
    SDL_Rect src{source.x, source.y, source.width, source.height};
    SDL_Rect dst{x, y, source.width, source.height};
    SDL_RenderCopy(renderer.get(), texture.texture.get(), &src, &dst);
}

void VideoDevice::fillRect(const PixelRect& rect, std::uint32_t argb) {
    SDL_Color c = sdlColor(argb);
    SDL_SetRenderDrawBlendMode(renderer.get(), SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer.get(), c.r, c.g, c.b, c.a);
    SDL_Rect r{rect.x, rect.y, rect.width, rect.height};
    SDL_RenderFillRect(renderer.get(), &r);
}

void VideoDevice::setClip(const PixelRect* rect) {
    if (!rect) {
        SDL_RenderSetClipRect(renderer.get(), nullptr);
        return;
    }
    SDL_Rect r{rect->x, rect->y, rect->width, rect->height};
    SDL_RenderSetClipRect(renderer.get(), &r);
}

void VideoDevice::flush() {
    SDL_RenderFlush(renderer.get());
}

void VideoDevice::drawRawCopies(DeviceTexture& texture, const RawCopy* copies, int count,
                                BlendMode blend) {
    SDL_Texture* t = texture.texture.get();
    SDL_SetTextureBlendMode(t, sdlBlend(blend));
    texture.blend = blend;
    for (int i = 0; i < count; ++i) {
        const CopyPlacement& at = copies[i].at;
        SDL_SetTextureAlphaMod(t, copies[i].alpha);
        SDL_FRect dst{at.x, at.y, at.w, at.h};
        if (at.angle == 0.0) {
            SDL_RenderCopyF(renderer.get(), t, nullptr, &dst);
        } else {
            SDL_FPoint centre{at.centreX, at.centreY};
            SDL_RenderCopyExF(renderer.get(), t, nullptr, &dst, at.angle, &centre, SDL_FLIP_NONE);
        }
    }
    SDL_SetTextureAlphaMod(t, static_cast<Uint8>(texture.modulation >> 24));
}

bool VideoDevice::readPixels(std::vector<std::uint32_t>& out, int& outWidth, int& outHeight) {
    // The back buffer as shown: the viewport in output pixels (the whole
    // target in a window; the letterboxed area in full screen).
    SDL_Rect viewport;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    SDL_RenderGetViewport(renderer.get(), &viewport);
    SDL_RenderGetScale(renderer.get(), &scaleX, &scaleY);
    int w = static_cast<int>(std::floor(static_cast<float>(viewport.w) * scaleX));
    int h = static_cast<int>(std::floor(static_cast<float>(viewport.h) * scaleY));
    if (w <= 0 || h <= 0) {
        return false;
    }
    out.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0u);
    if (SDL_RenderReadPixels(renderer.get(), nullptr, SDL_PIXELFORMAT_ARGB8888, out.data(),
                             w * 4) != 0) {
        out.clear();
        return false;
    }
    outWidth = w;
    outHeight = h;
    return true;
}

}  // namespace veru::platform
