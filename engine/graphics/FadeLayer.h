#pragma once
// FadeLayer: the black layer every scene fades in from and out to, a 1 x 1
// black texture stretched over the whole back buffer.
//
// A fade is a count from 0 to 255 moved by a step each frame. startIn makes
// the layer go from black to clear, startOut from clear to black; advance()
// moves one frame and reports the end once the count passes 255 (it then
// stays at 255, so a finished fade-out keeps the screen black and a finished
// fade-in is clear). A scene that drives the darkness itself (the stage, which
// times its fades from its own counter) sets the alpha directly with setAlpha.
//
// Ownership: owns its texture from create until release (or destruction).
// Thread: main thread only.
// Failure: create throws what Texture::createBlank throws; drawing before
// create does nothing.

#include <memory>

namespace veru::platform {
class VideoDevice;
}
namespace veru::dxt::material {
class Texture;
}

namespace veru::dxt {

class DirectGraphics;

class FadeLayer {
  public:
    static constexpr int kOpaque = 255;

    FadeLayer();
    ~FadeLayer();
    FadeLayer(const FadeLayer&) = delete;
    FadeLayer& operator=(const FadeLayer&) = delete;

    void create(platform::VideoDevice* device);
    void release();
    bool isCreated() const { return texture != nullptr; }

    // A fade from black to clear (in) or clear to black (out), `step` per frame.
    void startIn(int step) { start(true, step); }
    void startOut(int step) { start(false, step); }
    // One frame of the fade; true when it has ended (on that frame and after).
    bool advance();
    bool isFadingIn() const { return fadingIn; }
    // How far the fade has gone, 0-255.
    int getCount() const { return count; }

    // The darkness of the layer: 0 clear - 255 black. setAlpha clamps to that
    // range and replaces what a fade would draw until the next start.
    int getAlpha() const;
    void setAlpha(int alpha);

    // Draws the layer over width x height at once, or queues it behind the
    // sprites already queued. Both must be called between startSprite and
    // endSprite.
    void draw(DirectGraphics& graphics, int width, int height);
    void queue(DirectGraphics& graphics, int width, int height);

  private:
    void start(bool in, int step);

    std::unique_ptr<material::Texture> texture;
    bool fadingIn = true;
    int step = 0;
    int count = 0;
    int fixedAlpha = -1;  // set by setAlpha; -1 while a fade decides
};

}  // namespace veru::dxt
