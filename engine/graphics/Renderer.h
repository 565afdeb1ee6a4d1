#pragma once
// Renderer: owns the main window's video device; clears, lets the current
// scene draw and presents, once per frame.
//
// Ownership: owned by the window frame; owns the device; borrows the window
// and the scene last rendered.
// Thread: main thread only.
// Failure: initialize shows "Direct3Dデバイスを生成できませんでした…"
// (caption "Renderer.initialize()") and returns false when no device could
// be made; render then draws nothing.

#include <memory>

#include "engine/graphics/Color.h"

namespace veru::platform {
class VideoDevice;
class Window;
}  // namespace veru::platform

namespace veru::dxt {

class Scene;

class Renderer {
  public:
    Renderer();
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Makes the device on `window` (null: an off-screen device) with a back
    // buffer of width x height; a device held before is released first.
    bool initialize(platform::Window* window, bool fullScreen, int width, int height);
    // Clear, the scene's draw, present. Nothing without a device or scene.
    void render(Scene* scene);
    // The two halves of render, for a loop that waits between drawing a
    // frame and showing it: clear, the scene's draw and the device's
    // finishDrawing, so that the frame is complete before the wait; then
    // present, which only shows it.
    void draw(Scene* scene);
    void present();
    // True when present waits for the display's refresh (vsync).
    bool isPresentSynced() const;
    // After the window's screen mode changed: the scene last rendered is
    // released and created again on the same device.
    bool resetForMode(platform::Window* window, bool fullScreen);
    void setClearColor(const Color& color) { clearColor = color; }
    const Color& getClearColor() const { return clearColor; }
    // Drops the device (the window frame does this before the window goes).
    void releaseDevice();

    platform::VideoDevice* getDevice() const { return device.get(); }
    Scene* getScene() const { return scene; }

  private:
    std::unique_ptr<platform::VideoDevice> device;
    Scene* scene = nullptr;
    bool drawn = false;  // a frame was drawn and not yet presented
    Color clearColor{255, 255, 255, 255};
};

}  // namespace veru::dxt
