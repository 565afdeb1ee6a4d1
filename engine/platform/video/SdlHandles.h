#pragma once
// Owning handles for the SDL video objects: std::unique_ptr with a deleter
// that calls SDL's matching destroy function. A null handle is never passed
// to SDL.
//
// Order matters between them and is kept by their owners: textures before
// the renderer they were made on, the renderer before its window or its
// off-screen surface.
// Thread: main thread only, like the objects themselves.

#include <memory>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Surface;
struct SDL_Rect;

namespace veru::platform {

struct SdlVideoDeleter {
    void operator()(SDL_Window* window) const;
    void operator()(SDL_Renderer* renderer) const;
    void operator()(SDL_Texture* texture) const;
    void operator()(SDL_Surface* surface) const;
};

using SdlWindowHandle = std::unique_ptr<SDL_Window, SdlVideoDeleter>;
using SdlRendererHandle = std::unique_ptr<SDL_Renderer, SdlVideoDeleter>;
using SdlTextureHandle = std::unique_ptr<SDL_Texture, SdlVideoDeleter>;
using SdlSurfaceHandle = std::unique_ptr<SDL_Surface, SdlVideoDeleter>;

}  // namespace veru::platform
