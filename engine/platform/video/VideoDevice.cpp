#include "engine/platform/video/VideoDevice.h"

#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/platform/video/TurnedPicture.h"
#include "engine/platform/video/Window.h"

namespace veru::platform {

namespace {

// Every device alive, so that the event pump can restore their textures.
std::vector<VideoDevice*>& liveDevices() {
    static std::vector<VideoDevice*> devices;
    return devices;
}

// The colour added as it is, the destination's alpha kept: with the draw's
// alpha folded into its colour (foldAlpha), the picture's own alpha plays
// no part, as if it were opaque.
SDL_BlendMode opaqueAddMode() {
    static const SDL_BlendMode mode = SDL_ComposeCustomBlendMode(
        SDL_BLENDFACTOR_ONE, SDL_BLENDFACTOR_ONE, SDL_BLENDOPERATION_ADD, SDL_BLENDFACTOR_ZERO,
        SDL_BLENDFACTOR_ONE, SDL_BLENDOPERATION_ADD);
    return mode;
}

SDL_BlendMode sdlBlend(BlendMode blend) {
    switch (blend) {
        case BlendMode::none:
            return SDL_BLENDMODE_NONE;
        case BlendMode::add:
            return SDL_BLENDMODE_ADD;
        case BlendMode::addOpaque:
            return opaqueAddMode();
        case BlendMode::blend:
            break;
    }
    return SDL_BLENDMODE_BLEND;
}

// An additive colour with its alpha multiplied into each channel and the
// alpha made full: what the additive mode multiplies by the alpha, the
// opaque one takes from the colour.
std::uint32_t foldAlpha(std::uint32_t argb) {
    const std::uint32_t a = argb >> 24;
    auto channel = [&](int shift) {
        return ((((argb >> shift) & 0xFFu) * a + 127u) / 255u) << shift;
    };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

// True when the renderer takes the opaque additive mode (SDL's GL and
// Direct3D renderers do; its software renderer refuses custom modes).
bool takesOpaqueAdd(SDL_Renderer* r) {
    SdlTextureHandle probe(
        SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 1, 1));
    return probe && SDL_SetTextureBlendMode(probe.get(), opaqueAddMode()) == 0;
}

SDL_Color sdlColor(std::uint32_t argb) {
    return SDL_Color{static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8),
                     static_cast<Uint8>(argb), static_cast<Uint8>(argb >> 24)};
}

// Where OpenGL can only rasterise on the CPU (Mesa's llvmpipe, softpipe or
// swrast), SDL's own software renderer draws this game's flat pictures far
// more cheaply: a compiled shader per pixel costs more than SDL's copies and
// blends, and the GL driver holds tens of megabytes. Over a played stage in
// an 800 x 600 window: 41-45 % of a core and 51-55 MB of anonymous memory
// through llvmpipe, 7-15 % and 38-41 MB through the software renderer, at
// the same pacing. A renderer the player names (SDL_RENDER_DRIVER) is always
// tried.

bool rendererNamed() {
    const char* named = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    return named && *named;
}

// False when this machine has no graphics device a GL driver could use, so
// that GL would rasterise on the CPU: on Linux, no DRM render node this user
// may open and no NVIDIA device. Asking costs no GL driver loaded, which
// stays in memory even after its renderer is gone.
bool mayHaveGpu() {
#if defined(__linux__)
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", ec)) {
        if (entry.path().filename().string().starts_with("renderD") &&
            ::access(entry.path().c_str(), R_OK | W_OK) == 0) {
            return true;
        }
    }
    return ::access("/dev/nvidiactl", R_OK | W_OK) == 0;
#else
    return true;
#endif
}

// True when the renderer is an OpenGL one whose driver rasterises on the CPU.
bool rasterisesOnCpu(SDL_Renderer* r) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(r, &info) != 0 || !info.name ||
        !std::string_view(info.name).starts_with("opengl") || !SDL_GL_GetCurrentContext()) {
        return false;
    }
    using GetString = const unsigned char* (*)(unsigned int);
    constexpr unsigned int kGlRenderer = 0x1F01;
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
    if (!name) {
        return false;
    }
    const std::string_view driver(reinterpret_cast<const char*>(name));
    for (std::string_view cpu : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"}) {
        if (driver.find(cpu) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

// True when the window's display refreshes at 59 to 61 Hz.
bool refreshNearSixty(Window* window) {
    const int display = SDL_GetWindowDisplayIndex(window->handle());
    SDL_DisplayMode mode;
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) {
        return false;
    }
    return mode.refresh_rate >= 59 && mode.refresh_rate <= 61;
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
    // The renderers draw flat pictures and never test depth: a GL context
    // made without a depth buffer spares a software driver its window-sized
    // depth buffer (1.9 MB at 800 x 600).
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    if (window) {
        // A software renderer's pixels go to the display as they are, not
        // through a texture of a GL renderer SDL would make for them.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        if (rendererNamed() || mayHaveGpu()) {
            device->renderer.reset(
                SDL_CreateRenderer(window->handle(), -1, SDL_RENDERER_ACCELERATED));
        }
        if (device->renderer && !rendererNamed() && rasterisesOnCpu(device->renderer.get())) {
            device->renderer.reset();
        }
        if (!device->renderer) {
            device->renderer.reset(SDL_CreateRenderer(window->handle(), -1, SDL_RENDERER_SOFTWARE));
        }
        SDL_RendererInfo made;
        device->kind = device->renderer &&
                               SDL_GetRendererInfo(device->renderer.get(), &made) == 0 &&
                               (made.flags & SDL_RENDERER_SOFTWARE) == 0
                           ? Kind::accelerated
                           : Kind::software;
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
    if (device->kind == Kind::accelerated && refreshNearSixty(window)) {
        device->presentSynced = SDL_RenderSetVSync(device->renderer.get(), 1) == 0;
    }
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(device->renderer.get(), &info) == 0) {
        device->maxTextureWidth = info.max_texture_width;
        device->maxTextureHeight = info.max_texture_height;
        if (device->kind == Kind::accelerated && info.name &&
            std::string_view(info.name).starts_with("opengl")) {
            device->finishGl = reinterpret_cast<void (*)()>(SDL_GL_GetProcAddress("glFinish"));
        }
    }
    // A renderer that names no limit takes what SDL's software renderer takes.
    constexpr int kUnnamedLimit = 16384;
    if (device->maxTextureWidth <= 0)
        device->maxTextureWidth = kUnnamedLimit;
    if (device->maxTextureHeight <= 0)
        device->maxTextureHeight = kUnnamedLimit;
    device->keepCopies = device->kind != Kind::accelerated || device->losesTextures() ||
                         !SDL_RenderTargetSupported(device->renderer.get());
    device->opaqueAdd = takesOpaqueAdd(device->renderer.get());
    device->aimDrawing();
    liveDevices().push_back(device.get());
    return device;
}

VideoDevice::~VideoDevice() {
    auto& devices = liveDevices();
    devices.erase(std::remove(devices.begin(), devices.end(), this), devices.end());
    // Textures may outlive the device: they lose their SDL texture and draw nothing.
    // Their SDL textures must go before the renderer that made them.
    for (DeviceTexture* texture : textures) {
        texture->turned.clear();
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
    const std::size_t count = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    std::vector<std::uint32_t> blank;
    if (!argb) {
        blank.assign(count, 0u);
        argb = blank.data();
    }
    if (keepCopies) {
        texture->pixels =
            blank.empty() ? std::vector<std::uint32_t>(argb, argb + count) : std::move(blank);
        argb = texture->pixels.data();
    }
    if (!upload(*texture, argb, w)) {
        texture->device = nullptr;
        return nullptr;
    }
    textures.push_back(texture.get());
    return texture;
}

std::unique_ptr<DeviceTexture> VideoDevice::createStaticTexture(int w, int h,
                                                                const std::uint32_t* argb,
                                                                int pitch) {
    if (w <= 0 || h <= 0 || !argb || pitch < w) {
        return nullptr;
    }
    if (losesTextures()) {
        std::vector<std::uint32_t> rows;
        rows.reserve(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
        for (int y = 0; y < h; ++y) {
            const std::uint32_t* row = argb + static_cast<std::ptrdiff_t>(y) * pitch;
            rows.insert(rows.end(), row, row + w);
        }
        return createTexture(w, h, rows.data());
    }
    std::unique_ptr<DeviceTexture> texture(new DeviceTexture(this, w, h));
    if (!upload(*texture, argb, pitch)) {
        texture->device = nullptr;
        return nullptr;
    }
    textures.push_back(texture.get());
    return texture;
}

bool VideoDevice::losesTextures() const {
    return rendererName().starts_with("direct3d");
}

std::vector<std::uint32_t> VideoDevice::texturePixels(DeviceTexture& texture) {
    if (!texture.pixels.empty()) {
        return texture.pixels;
    }
    // A texture is drawn only by the renderer that made it.
    if (!texture.texture || !texture.device) {
        return {};
    }
    return texture.device->readBack(texture);
}

std::vector<std::uint32_t> VideoDevice::readBack(DeviceTexture& texture) {
    SDL_Renderer* r = renderer.get();
    if (!SDL_RenderTargetSupported(r)) {
        return {};
    }
    SdlTextureHandle target(SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                              texture.width, texture.height));
    if (!target) {
        return {};
    }
    // Leaving a texture for the window, SDL brings back the window's
    // viewport, clip and scale itself; another texture's are set again here.
    SDL_Texture* previous = SDL_GetRenderTarget(r);
    SDL_Rect viewport{0, 0, 0, 0};
    SDL_Rect clip{0, 0, 0, 0};
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    SDL_RenderGetViewport(r, &viewport);
    SDL_RenderGetClipRect(r, &clip);
    const bool clipOn = SDL_RenderIsClipEnabled(r) == SDL_TRUE;
    SDL_RenderGetScale(r, &scaleX, &scaleY);

    // Copied as it is: no blending, no filtering, no modulation.
    applyState(texture, BlendMode::none, Filter::point, 0xFFFFFFFFu, true);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(texture.width) *
                                      static_cast<std::size_t>(texture.height));
    const bool read = SDL_SetRenderTarget(r, target.get()) == 0 &&
                      SDL_RenderCopy(r, texture.texture.get(), nullptr, nullptr) == 0 &&
                      SDL_RenderReadPixels(r, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                                           texture.width * 4) == 0;
    SDL_SetRenderTarget(r, previous);
    if (previous) {
        SDL_RenderSetScale(r, scaleX, scaleY);
        SDL_RenderSetViewport(r, &viewport);
        SDL_RenderSetClipRect(r, clipOn ? &clip : nullptr);
    }
    if (!read) {
        return {};
    }
    return pixels;
}

bool VideoDevice::allOpaque(const std::uint32_t* argb, int w, int h, int pitch) {
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* row = argb + static_cast<std::ptrdiff_t>(y) * pitch;
        if (!std::all_of(row, row + w, [](std::uint32_t p) { return (p >> 24) == 0xFFu; })) {
            return false;
        }
    }
    return true;
}

bool VideoDevice::upload(DeviceTexture& texture, const std::uint32_t* argb, int pitch) {
    texture.opaque = allOpaque(argb, texture.width, texture.height, pitch);
    texture.turned.clear();  // turned pictures made on a lost renderer are lost too
    texture.turnedPixels = 0;
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
    return SDL_UpdateTexture(texture.texture.get(), nullptr, argb, pitch * 4) == 0;
}

void VideoDevice::forget(DeviceTexture* texture) {
    auto it = std::find(textures.begin(), textures.end(), texture);
    if (it != textures.end()) {
        *it = textures.back();
        textures.pop_back();
    }
}

std::size_t VideoDevice::getTextureBytes() const {
    std::size_t bytes = 0;
    for (const DeviceTexture* texture : textures) {
        bytes += static_cast<std::size_t>(texture->getWidth()) *
                 static_cast<std::size_t>(texture->getHeight()) * 4u;
    }
    return bytes;
}

std::size_t VideoDevice::getTurnedBytes() const {
    std::size_t bytes = 0;
    for (const DeviceTexture* texture : textures) {
        bytes += texture->turnedPixels * 4u;
    }
    return bytes;
}

void VideoDevice::restoreTextures() {
    for (DeviceTexture* texture : textures) {
        // Drops the SDL texture whose contents were lost and makes a new one.
        if (!texture->pixels.empty()) {
            upload(*texture, texture->pixels.data(), texture->width);
        }
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
    if (blend == BlendMode::addOpaque) {
        m = foldAlpha(m);
    }
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

bool VideoDevice::draws(const DeviceTexture& texture, BlendMode blend) const {
    return texture.texture.get() && (blend != BlendMode::addOpaque || opaqueAdd);
}

bool VideoDevice::pixelForPixel(const PixelRect& source, float x, float y, float w, float h) const {
    if (w != static_cast<float>(source.width) || h != static_cast<float>(source.height) ||
        x != std::floor(x) || y != std::floor(y)) {
        return false;
    }
    // Full screen scales the whole frame; there linear smooths the enlargement.
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    SDL_RenderGetScale(renderer.get(), &scaleX, &scaleY);
    return scaleX == 1.0f && scaleY == 1.0f;
}

bool VideoDevice::clear(std::uint32_t argb) {
    SDL_Color c = sdlColor(argb);
    SDL_SetRenderDrawColor(renderer.get(), c.r, c.g, c.b, c.a);
    return SDL_RenderClear(renderer.get()) == 0;
}

void VideoDevice::finishDrawing() {
    SDL_RenderFlush(renderer.get());
    // The renderer's context is current after its flush; check all the same,
    // glFinish without a context is undefined.
    if (finishGl && SDL_GL_GetCurrentContext()) {
        finishGl();
    }
}

void VideoDevice::present() {
    if (frameTargeted) {
        showFrame();
    }
    SDL_RenderPresent(renderer.get());
    aimDrawing();
}

void VideoDevice::aimDrawing() {
    if (kind != Kind::software || frameRefused || frameTargeted) {
        return;
    }
    SDL_Renderer* r = renderer.get();
    int outputWidth = 0;
    int outputHeight = 0;
    if (SDL_GetRendererOutputSize(r, &outputWidth, &outputHeight) != 0 ||
        (outputWidth == width && outputHeight == height)) {
        return;
    }
    if (!frame) {
        // In the window's own pixel format the scaled copy is a plain
        // stretch of rows, with no conversion of each pixel.
        const Uint32 windowFormat = SDL_GetWindowPixelFormat(window->handle());
        const Uint32 format = windowFormat == SDL_PIXELFORMAT_RGB888
                                  ? windowFormat
                                  : static_cast<Uint32>(SDL_PIXELFORMAT_ARGB8888);
        frame.reset(SDL_CreateTexture(r, format, SDL_TEXTUREACCESS_TARGET, width, height));
        if (!frame || SDL_SetTextureBlendMode(frame.get(), SDL_BLENDMODE_NONE) != 0 ||
            SDL_SetTextureScaleMode(frame.get(), SDL_ScaleModeNearest) != 0) {
            frame.reset();
            frameRefused = true;
            return;
        }
    }
    // SDL keeps the window's clip while the texture is drawn on and brings
    // it back at present(): it is kept off there, and set on the texture.
    SDL_RenderSetClipRect(r, nullptr);
    if (SDL_SetRenderTarget(r, frame.get()) == 0) {
        frameTargeted = true;
    } else {
        SDL_SetRenderTarget(r, nullptr);
        frame.reset();
        frameRefused = true;
    }
    PixelRect limit = clipRect;
    setClip(clipped ? &limit : nullptr);
}

void VideoDevice::showFrame() {
    SDL_Renderer* r = renderer.get();
    frameTargeted = false;
    // The window's logical size, viewport and (lifted) clip come back.
    SDL_SetRenderTarget(r, nullptr);
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetRendererOutputSize(r, &outputWidth, &outputHeight);
    // Of another shape than the frame, the window shows black bars beside it.
    if (static_cast<long long>(outputWidth) * height !=
        static_cast<long long>(outputHeight) * width) {
        SDL_SetRenderDrawColor(r, 0, 0, 0, 0xFF);
        SDL_RenderClear(r);
    }
    SDL_RenderCopy(r, frame.get(), nullptr, nullptr);
}

void VideoDevice::drawQuad(DeviceTexture& texture, const ScreenVertex vertices[4], BlendMode blend,
                           Filter filter) {
    if (!draws(texture, blend)) {
        return;
    }
    applyState(texture, blend, filter, 0xFFFFFFFFu, false);
    SDL_Vertex v[4];
    for (int i = 0; i < 4; ++i) {
        v[i].position = SDL_FPoint{vertices[i].x, vertices[i].y};
        v[i].color = sdlColor(blend == BlendMode::addOpaque ? foldAlpha(vertices[i].argb)
                                                            : vertices[i].argb);
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

bool VideoDevice::fillFromTexel(const DeviceTexture& texture, const PixelRect& source, float x,
                                float y, float w, float h, std::uint32_t argb, BlendMode blend) {
    // A single texel stretched over a rectangle (a fade or a menu's shade
    // over the whole screen) is one colour: the software renderer's blended
    // fill paints it several times faster than its general scaled copy, with
    // the same arithmetic. Rectangles under a pixel wide keep the copy, whose
    // rounding differs there.
    if (source.width != 1 || source.height != 1 || w < 1.0f || h < 1.0f || texture.pixels.empty() ||
        source.x < 0 || source.y < 0 || source.x >= texture.width || source.y >= texture.height) {
        return false;
    }
    const std::uint32_t texel =
        texture
            .pixels[static_cast<std::size_t>(source.y) * static_cast<std::size_t>(texture.width) +
                    static_cast<std::size_t>(source.x)];
    // The copy multiplies the texel by the modulation, channel by channel.
    auto channel = [&](int shift) {
        return static_cast<Uint8>(((texel >> shift) & 0xFFu) * ((argb >> shift) & 0xFFu) / 255u);
    };
    SDL_SetRenderDrawBlendMode(renderer.get(), sdlBlend(blend));
    SDL_SetRenderDrawColor(renderer.get(), channel(16), channel(8), channel(0), channel(24));
    SDL_FRect r{x, y, w, h};
    return SDL_RenderFillRectF(renderer.get(), &r) == 0;
}

void VideoDevice::drawCopy(DeviceTexture& texture, const PixelRect& source, float x, float y,
                           float w, float h, std::uint32_t argb, BlendMode blend, Filter filter) {
    if (!draws(texture, blend)) {
        return;
    }
    if (kind != Kind::accelerated && fillFromTexel(texture, source, x, y, w, h, argb, blend)) {
        return;
    }
    // The software renderer stretches a scaled copy into a fresh picture of
    // its own on every draw: a spark drawn at a size it had before is copied
    // from the kept stretched picture instead. (A picture whose scale changes
    // every frame, like the player's following its gauge, makes one picture
    // per size it passes through.)
    if (kind != Kind::accelerated) {
        const PixelRect target{static_cast<int>(x), static_cast<int>(y), static_cast<int>(w),
                               static_cast<int>(h)};
        if (DeviceTexture::Turned* kept = stretchedPicture(texture, source, target, filter)) {
            drawKept(*kept, target.x, target.y, argb, blend);
            return;
        }
    }
    // A copy that lands pixel for pixel samples every texel at its centre,
    // where linear filtering gives the texel itself: nearest sampling draws
    // the same picture, and a software GL driver fills it far more cheaply
    // (a fifth of the stage's drawing CPU on Mesa's llvmpipe).
    if (filter == Filter::linear && pixelForPixel(source, x, y, w, h)) {
        filter = Filter::point;
    }
    // Blending a picture with no transparent pixel at full alpha gives the
    // picture itself (the source weighs 1, the screen 0): drawn without
    // blending, the driver skips reading the screen back (the HUD's strip is
    // a sixth of the screen, every frame).
    if (blend == BlendMode::blend && texture.opaque && (argb >> 24) == 0xFFu) {
        blend = BlendMode::none;
    }
    applyState(texture, blend, filter, argb, true);
    SDL_Rect src{source.x, source.y, source.width, source.height};
    SDL_FRect dst{x, y, w, h};
    SDL_RenderCopyF(renderer.get(), texture.texture.get(), &src, &dst);
}

namespace {

// Turned and stretched pictures kept: small ones only (bullets, particles,
// enemies), and at most this many pixels on the whole device (4 bytes each).
constexpr int kMaxTurnedSide = 256;
constexpr std::size_t kMaxKeptPixels = 3u << 19;

std::uint64_t bits(long long value, int width, int shift) {
    return (static_cast<std::uint64_t>(value) & ((1ull << width) - 1)) << shift;
}

}  // namespace

DeviceTexture::Turned* VideoDevice::turnedPicture(DeviceTexture& texture, const PixelRect& source,
                                                  const CopyPlacement& p, Filter filter,
                                                  bool opaque, int& gridX, int& gridY) {
    int w = static_cast<int>(std::lround(p.w));
    int h = static_cast<int>(std::lround(p.h));
    if (texture.pixels.empty() || w <= 0 || h <= 0 || w > kMaxTurnedSide || h > kMaxTurnedSide ||
        source.x < 0 || source.y < 0 || source.x + source.width > texture.width ||
        source.y + source.height > texture.height) {
        return nullptr;
    }
    // The turning centre on the screen, split into its pixel and a quarter-pixel fraction.
    float pivotX = p.x + p.centreX;
    float pivotY = p.y + p.centreY;
    gridX = static_cast<int>(std::floor(pivotX));
    gridY = static_cast<int>(std::floor(pivotY));
    int quarterX = static_cast<int>((pivotX - static_cast<float>(gridX)) * 4.0f) & 3;
    int quarterY = static_cast<int>((pivotY - static_cast<float>(gridY)) * 4.0f) & 3;
    double angle = std::fmod(p.angle, 360.0);
    if (angle < 0.0) {
        angle += 360.0;
    }
    long long sixteenths = std::llround(angle * 16.0) % (360 * 16);
    long long centreX = std::llround(p.centreX * 4.0f) + 2048;  // quarters, offset to stay positive
    long long centreY = std::llround(p.centreY * 4.0f) + 2048;
    if (centreX < 0 || centreX >= 4096 || centreY < 0 || centreY >= 4096) {
        return nullptr;
    }
    DeviceTexture::TurnedKey key{bits(source.x, 16, 0) | bits(source.y, 16, 16) |
                                     bits(source.width, 16, 32) | bits(source.height, 16, 48),
                                 bits(w - 1, 8, 0) | bits(h - 1, 8, 8) | bits(sixteenths, 13, 16) |
                                     bits(centreX, 12, 29) | bits(centreY, 12, 41) |
                                     bits(quarterX, 2, 53) | bits(quarterY, 2, 55) |
                                     bits(p.mirrorX, 1, 57) | bits(p.mirrorY, 1, 58) |
                                     bits(filter == Filter::linear, 1, 59) | bits(opaque, 1, 60)};
    if (DeviceTexture::Turned* found = findKept(texture, key)) {
        return found;
    }
    TurnRequest request;
    request.pixels = texture.pixels.data();
    request.pictureWidth = texture.width;
    request.sourceX = source.x;
    request.sourceY = source.y;
    request.sourceWidth = source.width;
    request.sourceHeight = source.height;
    request.width = w;
    request.height = h;
    request.centreX = static_cast<float>(centreX - 2048) / 4.0f;
    request.centreY = static_cast<float>(centreY - 2048) / 4.0f;
    request.pivotX = static_cast<float>(quarterX) / 4.0f;
    request.pivotY = static_cast<float>(quarterY) / 4.0f;
    request.angle = static_cast<double>(sixteenths) / 16.0;
    request.mirrorX = p.mirrorX;
    request.mirrorY = p.mirrorY;
    request.smooth = filter == Filter::linear;
    request.opaque = opaque;
    TurnedImage image = turnPicture(request);
    if (image.width <= 0 || image.height <= 0) {
        return nullptr;
    }
    DeviceTexture::Turned* made =
        keep(texture, key, image.pixels.data(), image.width, image.height, image.width);
    if (made) {
        made->left = image.left;
        made->top = image.top;
    }
    return made;
}

bool VideoDevice::drawsOneToOne() const {
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    SDL_RenderGetScale(renderer.get(), &scaleX, &scaleY);
    return scaleX == 1.0f && scaleY == 1.0f;
}

bool VideoDevice::drawArea(SDL_Rect& viewport, SDL_Rect& area) const {
    viewport = SDL_Rect{0, 0, width, height};
    SDL_RenderGetViewport(renderer.get(), &viewport);
    area = SDL_Rect{0, 0, viewport.w, viewport.h};
    if (!clipped) {
        return true;
    }
    const SDL_Rect limit{clipRect.x, clipRect.y, clipRect.width, clipRect.height};
    return SDL_IntersectRect(&limit, &area, &area) == SDL_TRUE;
}

bool VideoDevice::stretchesWhole(const PixelRect& r) const {
    // Inside the limit it draws within, SDL stretches the whole source onto
    // the target; across that limit it would stretch only the part inside.
    SDL_Rect viewport;
    SDL_Rect area;
    if (!drawArea(viewport, area)) {
        return false;
    }
    if (r.x >= area.x && r.y >= area.y && r.x + r.width <= area.x + area.w &&
        r.y + r.height <= area.y + area.h) {
        return true;
    }
    // Over the edge of the surface it draws on, SDL stretches the whole
    // source into a picture of its own first and then clips that.
    int outputWidth = 0;
    int outputHeight = 0;
    if (SDL_GetRendererOutputSize(renderer.get(), &outputWidth, &outputHeight) != 0) {
        return false;
    }
    const int left = r.x + viewport.x;
    const int top = r.y + viewport.y;
    return left < 0 || top < 0 || left + r.width > outputWidth || top + r.height > outputHeight;
}

DeviceTexture::Turned* VideoDevice::stretchedPicture(DeviceTexture& texture,
                                                     const PixelRect& source,
                                                     const PixelRect& target, Filter filter) {
    // Only smooth stretching has a public twin (SDL_SoftStretchLinear) that
    // paints exactly what the renderer's scaled copy paints.
    if (filter != Filter::linear || texture.pixels.empty() || target.width <= 0 ||
        target.height <= 0 || target.width > kMaxTurnedSide || target.height > kMaxTurnedSide ||
        (target.width == source.width && target.height == source.height) || source.x < 0 ||
        source.y < 0 || source.width <= 0 || source.height <= 0 ||
        source.x + source.width > texture.width || source.y + source.height > texture.height) {
        return nullptr;
    }
    if (!drawsOneToOne() || !stretchesWhole(target)) {
        return nullptr;
    }
    constexpr std::uint64_t kStretched = 1ull << 61;
    DeviceTexture::TurnedKey key{
        bits(source.x, 16, 0) | bits(source.y, 16, 16) | bits(source.width, 16, 32) |
            bits(source.height, 16, 48),
        bits(target.width - 1, 8, 0) | bits(target.height - 1, 8, 8) | kStretched};
    if (DeviceTexture::Turned* found = findKept(texture, key)) {
        return found;
    }
    SdlSurfaceHandle from(SDL_CreateRGBSurfaceWithFormatFrom(texture.pixels.data(), texture.width,
                                                             texture.height, 32, texture.width * 4,
                                                             SDL_PIXELFORMAT_ARGB8888));
    SdlSurfaceHandle to(SDL_CreateRGBSurfaceWithFormat(0, target.width, target.height, 32,
                                                       SDL_PIXELFORMAT_ARGB8888));
    SDL_Rect cell{source.x, source.y, source.width, source.height};
    if (!from || !to || SDL_SoftStretchLinear(from.get(), &cell, to.get(), nullptr) != 0) {
        return nullptr;
    }
    return keep(texture, key, static_cast<const std::uint32_t*>(to->pixels), target.width,
                target.height, to->pitch / 4);
}

DeviceTexture::Turned* VideoDevice::findKept(DeviceTexture& texture,
                                             const DeviceTexture::TurnedKey& key) {
    auto found = texture.turned.find(key);
    if (found == texture.turned.end()) {
        return nullptr;
    }
    found->second.lastUse = ++keptLookups;
    return &found->second;
}

DeviceTexture::Turned* VideoDevice::keep(DeviceTexture& texture,
                                         const DeviceTexture::TurnedKey& key,
                                         const std::uint32_t* argb, int w, int h, int pitch) {
    const std::size_t size = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    if (keptPixels() + size > kMaxKeptPixels) {
        dropOldestKept(size);
    }
    DeviceTexture::Turned made;
    made.texture.reset(SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_ARGB8888,
                                         SDL_TEXTUREACCESS_STREAMING, w, h));
    if (!made.texture || SDL_UpdateTexture(made.texture.get(), nullptr, argb, pitch * 4) != 0) {
        return nullptr;
    }
    SDL_SetTextureBlendMode(made.texture.get(), SDL_BLENDMODE_BLEND);
    made.width = w;
    made.height = h;
    made.lastUse = ++keptLookups;
    texture.turnedPixels += size;
    ++turnedMade;
    return &texture.turned.emplace(key, std::move(made)).first->second;
}

std::size_t VideoDevice::keptPixels() const {
    std::size_t pixels = 0;
    for (const DeviceTexture* texture : textures) {
        pixels += texture->turnedPixels;
    }
    return pixels;
}

void VideoDevice::dropOldestKept(std::size_t room) {
    // A picture turned at a new angle on every frame (an explosion) fills
    // the budget with pictures drawn once: the ones used longest ago go
    // first, down to three quarters of the budget so that this is rare, and
    // what is drawn on every frame stays.
    struct Entry {
        std::uint64_t lastUse;
        DeviceTexture* texture;
        DeviceTexture::TurnedKey key;
        std::size_t pixels;
    };
    std::vector<Entry> entries;
    std::size_t total = 0;
    for (DeviceTexture* texture : textures) {
        for (const auto& [key, kept] : texture->turned) {
            const std::size_t pixels =
                static_cast<std::size_t>(kept.width) * static_cast<std::size_t>(kept.height);
            entries.push_back(Entry{kept.lastUse, texture, key, pixels});
            total += pixels;
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
    const std::size_t target = kMaxKeptPixels / 4 * 3;
    for (const Entry& e : entries) {
        if (total + room <= target) {
            break;
        }
        e.texture->turned.erase(e.key);
        e.texture->turnedPixels -= e.pixels;
        total -= e.pixels;
    }
}

namespace {

// x / 255 rounded down, for x up to 255 * 255, in each 16-bit lane.
#if defined(__SSE2__)
__m128i divide255(__m128i x) {
    const __m128i once = _mm_add_epi16(_mm_add_epi16(x, _mm_set1_epi16(1)), _mm_srli_epi16(x, 8));
    return _mm_srli_epi16(once, 8);
}
#endif

// Adds `count` pixels of `from` to `to` as SDL's additive copy does:
// each texel's colour times the modulation, times its alpha (itself times
// the modulation's), added to the target's colour and clamped; the target's
// alpha stays. `keep` masks what is written (a target without alpha has 0 there).
void addRow(const std::uint32_t* from, std::uint32_t* to, int count, std::uint32_t modulation,
            std::uint32_t keep) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    // The modulation as b, g, r, a in 16-bit lanes, for two pixels.
    const __m128i mod = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(modulation)), zero);
    const __m128i colourOnly = _mm_set1_epi32(0x00FFFFFF);
    const __m128i mask = _mm_set1_epi32(static_cast<int>(keep));
    auto contribution = [&](__m128i two) {
        __m128i c = divide255(_mm_mullo_epi16(two, mod));
        // Each pixel's alpha in all four of its lanes.
        __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(c, 0xFF), 0xFF);
        return divide255(_mm_mullo_epi16(c, alpha));
    };
    for (; i + 4 <= count; i += 4) {
        const __m128i texels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
        const __m128i added = _mm_packus_epi16(contribution(_mm_unpacklo_epi8(texels, zero)),
                                               contribution(_mm_unpackhi_epi8(texels, zero)));
        __m128i* target = reinterpret_cast<__m128i*>(to + i);
        const __m128i sum =
            _mm_adds_epu8(_mm_loadu_si128(target), _mm_and_si128(added, colourOnly));
        _mm_storeu_si128(target, _mm_and_si128(sum, mask));
    }
#endif
    const std::uint32_t ma = modulation >> 24;
    for (; i < count; ++i) {
        const std::uint32_t t = from[i];
        const std::uint32_t a = (t >> 24) * ma / 255;
        std::uint32_t out = to[i] & 0xFF000000u;
        for (int shift = 0; shift < 24; shift += 8) {
            std::uint32_t c = ((t >> shift) & 0xFFu) * ((modulation >> shift) & 0xFFu) / 255;
            c = c * a / 255 + ((to[i] >> shift) & 0xFFu);
            out |= std::min(c, 255u) << shift;
        }
        to[i] = out & keep;
    }
}

}  // namespace

SDL_Surface* VideoDevice::drawingSurface() const {
    if (kind == Kind::offscreen) {
        return offscreen.get();
    }
    // The frame texture's pixels are the renderer's own: nothing else may write there.
    if (kind == Kind::software && window && !frameTargeted) {
        return SDL_GetWindowSurface(window->handle());
    }
    return nullptr;
}

bool VideoDevice::addKept(DeviceTexture::Turned& kept, int x, int y, std::uint32_t argb) {
    if (kind == Kind::accelerated || !drawsOneToOne()) {
        return false;
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(kept.texture.get(), nullptr, &pixels, &pitch) != 0) {
        return false;
    }
    // The draws queued before land first; the renderer then holds its surface.
    SDL_RenderFlush(renderer.get());
    SDL_Surface* surface = drawingSurface();
    if (!surface || SDL_MUSTLOCK(surface) ||
        (surface->format->format != SDL_PIXELFORMAT_ARGB8888 &&
         surface->format->format != SDL_PIXELFORMAT_RGB888)) {
        SDL_UnlockTexture(kept.texture.get());
        return false;
    }
    // Where the renderer would let the copy land: the clip (or the whole
    // viewport) on the surface.
    SDL_Rect viewport;
    SDL_Rect area;
    const bool open = drawArea(viewport, area);
    area.x += viewport.x;
    area.y += viewport.y;
    const SDL_Rect whole{0, 0, surface->w, surface->h};
    const SDL_Rect copy{x + viewport.x, y + viewport.y, kept.width, kept.height};
    SDL_Rect landed{0, 0, 0, 0};
    if (open && SDL_IntersectRect(&area, &whole, &area) &&
        SDL_IntersectRect(&copy, &area, &landed)) {
        const std::uint32_t keep =
            surface->format->format == SDL_PIXELFORMAT_ARGB8888 ? 0xFFFFFFFFu : 0x00FFFFFFu;
        for (int row = 0; row < landed.h; ++row) {
            const auto* from = static_cast<const std::uint32_t*>(pixels) +
                               static_cast<std::ptrdiff_t>(landed.y - copy.y + row) * (pitch / 4) +
                               (landed.x - copy.x);
            auto* to = reinterpret_cast<std::uint32_t*>(
                           static_cast<std::uint8_t*>(surface->pixels) +
                           static_cast<std::ptrdiff_t>(landed.y + row) * surface->pitch) +
                       landed.x;
            addRow(from, to, landed.w, argb, keep);
        }
    }
    SDL_UnlockTexture(kept.texture.get());
    return true;
}

void VideoDevice::drawKept(DeviceTexture::Turned& kept, int x, int y, std::uint32_t argb,
                           BlendMode blend) {
    // SDL's additive copy takes several times as long as its blended one:
    // sparks and glows are added straight onto the surface, with the same
    // arithmetic.
    if (blend == BlendMode::add && addKept(kept, x, y, argb)) {
        return;
    }
    SDL_Texture* t = kept.texture.get();
    if (kept.blend != blend) {
        kept.blend = blend;
        SDL_SetTextureBlendMode(t, sdlBlend(blend));
    }
    if (kept.modulation != argb) {
        kept.modulation = argb;
        SDL_SetTextureColorMod(t, static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8),
                               static_cast<Uint8>(argb));
        SDL_SetTextureAlphaMod(t, static_cast<Uint8>(argb >> 24));
    }
    SDL_Rect dst{x, y, kept.width, kept.height};
    SDL_RenderCopy(renderer.get(), t, nullptr, &dst);
}

void VideoDevice::drawTurnedCopy(DeviceTexture& texture, const PixelRect& source,
                                 const CopyPlacement& p, std::uint32_t argb, BlendMode blend,
                                 Filter filter) {
    if (!draws(texture, blend)) {
        return;
    }
    // The software renderer turns a picture anew on every copy; a picture
    // turned once and kept is copied 1:1 instead.
    int gridX = 0;
    int gridY = 0;
    // Drawn without blending, a kept picture would paint the box around the
    // turned rectangle: it is made opaque inside the rectangle and blended.
    bool opaque = blend == BlendMode::none;
    DeviceTexture::Turned* kept =
        kind == Kind::accelerated ? nullptr
                                  : turnedPicture(texture, source, p, filter, opaque, gridX, gridY);
    if (kept) {
        if (opaque) {
            blend = BlendMode::blend;
        }
        drawKept(*kept, gridX + kept->left, gridY + kept->top, argb, blend);
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
    clipped = rect != nullptr;
    if (rect) {
        clipRect = *rect;
    }
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

bool VideoDevice::readShownPixels(std::vector<std::uint32_t>& out, int& outWidth, int& outHeight) {
    if (kind != Kind::software || !window) {
        return false;
    }
    SDL_Surface* shown = SDL_GetWindowSurface(window->handle());
    if (!shown || shown->w <= 0 || shown->h <= 0 || SDL_LockSurface(shown) != 0) {
        return false;
    }
    out.assign(static_cast<std::size_t>(shown->w) * static_cast<std::size_t>(shown->h), 0u);
    const bool read =
        SDL_ConvertPixels(shown->w, shown->h, shown->format->format, shown->pixels, shown->pitch,
                          SDL_PIXELFORMAT_ARGB8888, out.data(), shown->w * 4) == 0;
    SDL_UnlockSurface(shown);
    if (!read) {
        out.clear();
        return false;
    }
    outWidth = shown->w;
    outHeight = shown->h;
    return true;
}

}  // namespace veru::platform
