#include "engine/platform/video/SdlHandles.h"

#include <SDL.h>

namespace veru::platform {

void SdlVideoDeleter::operator()(SDL_Window* window) const {
    SDL_DestroyWindow(window);
}

void SdlVideoDeleter::operator()(SDL_Renderer* renderer) const {
    SDL_DestroyRenderer(renderer);
}

void SdlVideoDeleter::operator()(SDL_Texture* texture) const {
    SDL_DestroyTexture(texture);
}

void SdlVideoDeleter::operator()(SDL_Surface* surface) const {
    SDL_FreeSurface(surface);
}

}  // namespace veru::platform
