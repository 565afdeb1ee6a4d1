#include "engine/platform/video/Window.h"

#include <SDL.h>

#include <algorithm>

#include "engine/exceptions/Exception.h"

namespace veru::platform {

std::unique_ptr<Window> Window::create(const std::string& title, int width, int height,
                                       bool fullScreen, std::string& error) {
    std::unique_ptr<Window> result;
    try {
        result.reset(new Window());  // private constructor: std::make_unique cannot reach it
    } catch (const excp::Exception& e) {
        error = e.getMessage().toUtf8();
        return nullptr;
    }
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (fullScreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    result->window.reset(SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, width, height, flags));
    if (!result->window) {
        error = SDL_GetError();
        return nullptr;
    }
    result->clientWidth = width;
    result->clientHeight = height;
    result->fullScreen = fullScreen;
    return result;
}

Window::~Window() = default;

void Window::show() {
    SDL_ShowWindow(window.get());
}

void Window::hide() {
    SDL_HideWindow(window.get());
}

bool Window::isShown() const {
    return (SDL_GetWindowFlags(window.get()) & SDL_WINDOW_SHOWN) != 0;
}

void Window::centre() {
    if (!fullScreen) {
        SDL_SetWindowPosition(window.get(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
}

void Window::moveTo(int x, int y) {
    SDL_SetWindowPosition(window.get(), x, y);
}

bool Window::setFullScreen(bool on) {
    if (SDL_SetWindowFullscreen(window.get(), on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        return false;
    }
    fullScreen = on;
    if (!on) {
        SDL_SetWindowSize(window.get(), clientWidth * scale, clientHeight * scale);
        centre();
    }
    return true;
}

void Window::setScale(int wanted) {
    scale = std::clamp(wanted, 1, maxScale());
    if (!fullScreen) {
        SDL_SetWindowSize(window.get(), clientWidth * scale, clientHeight * scale);
        centre();
    }
}

void Window::currentSize(int& width, int& height) const {
    SDL_GetWindowSize(window.get(), &width, &height);
}

int Window::maxScale() const {
    SDL_Rect usable;
    const int display = SDL_GetWindowDisplayIndex(window.get());
    if (display < 0 || clientWidth <= 0 || clientHeight <= 0 ||
        SDL_GetDisplayUsableBounds(display, &usable) != 0)
        return 1;
    return std::max(1, std::min(usable.w / clientWidth, usable.h / clientHeight));
}

void Window::setCursorVisible(bool visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void Window::setIcon(const std::uint32_t* argb, int width, int height) {
    // SDL only reads the pixels while setting the icon, so borrowing them is enough.
    SdlSurfaceHandle surface(SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(argb), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888));
    if (surface) {
        SDL_SetWindowIcon(window.get(), surface.get());
    }
}

bool Window::desktopSize(int& width, int& height) const {
    SDL_DisplayMode mode;
    int display = SDL_GetWindowDisplayIndex(window.get());
    if (display < 0 || SDL_GetDesktopDisplayMode(display, &mode) != 0) {
        return false;
    }
    width = mode.w;
    height = mode.h;
    return true;
}

std::uint32_t Window::id() const {
    return SDL_GetWindowID(window.get());
}

}  // namespace veru::platform
