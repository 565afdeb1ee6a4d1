#pragma once
// Window: the game's one top-level window on SDL.
//
// Created hidden with a client area of the given size, not resizable. Full
// screen is the desktop's full screen (no display-mode switch); the device's
// logical size keeps the picture at its own size, scaled and letterboxed.
//
// Ownership: owns the SDL window and keeps SDL's video part started while it
// lives. A VideoDevice made on it must be destroyed first.
// Thread: main thread only.
// Failure: create() returns null and fills `error` with SDL's reason.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/platform/SdlSubsystem.h"
#include "engine/platform/video/SdlHandles.h"

namespace veru::platform {

class Window {
  public:
    // `title` in UTF-8. The window starts hidden, at the centre of the desktop.
    static std::unique_ptr<Window> create(const std::string& title, int width, int height,
                                          bool fullScreen, std::string& error);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void show();
    void hide();
    bool isShown() const;
    // Places a windowed window at the centre of the desktop.
    void centre();
    void moveTo(int x, int y);
    // Switches between a captioned window of the client size and the
    // desktop's full screen. Leaving full screen restores the client size
    // times the scale.
    bool setFullScreen(bool on);
    // A window `scale` times the client size (1 ... maxScale(), clamped),
    // centred; the device's logical size scales the picture up with sharp
    // edges. In full screen it is remembered for the return to a window.
    void setScale(int scale);
    int getScale() const { return scale; }
    // The window's size on the desktop now, in pixels.
    void currentSize(int& width, int& height) const;
    // The largest whole multiple of the client size that fits in the
    // desktop's usable area (without panels); 1 when SDL cannot tell.
    int maxScale() const;
    bool isFullScreen() const { return fullScreen; }
    // Shows or hides the mouse cursor (over every window of the program).
    static void setCursorVisible(bool visible);
    // Sets the window icon from `width` x `height` ARGB pixels, rows top down.
    void setIcon(const std::uint32_t* argb, int width, int height);
    // Size of the desktop the window is on; false when SDL cannot tell.
    bool desktopSize(int& width, int& height) const;

    int getClientWidth() const { return clientWidth; }
    int getClientHeight() const { return clientHeight; }
    std::uint32_t id() const;
    SDL_Window* handle() const { return window.get(); }

  private:
    Window() : video(SdlSubsystem::video) {}

    // Declared in this order so that the window is destroyed before SDL's
    // video part is stopped.
    SdlSubsystem video;
    SdlWindowHandle window;
    int clientWidth = 0;
    int clientHeight = 0;
    bool fullScreen = false;
    int scale = 1;
};

}  // namespace veru::platform
