#pragma once
// ScrollBackground: the backdrop of the play field. One large picture, at
// least as big as the field, of which a window of the field's size is copied
// to the top-left corner of the back buffer every frame. The window moves
// with scroll and stops at the picture's edges; nothing wraps or repeats.
//
// The picture is streamed (see Surface::loadStreamed): read keeps the file's
// bytes and starts decoding its left end on a worker thread; each draw has
// the columns under the window and the next ones decoded, and frees those
// the window has passed. Nothing is read from disk after read.
//
// Ownership: owns its surface; the device it was loaded on must outlive it.
// Thread: main thread only (the surface's worker only decodes).
// Failure: read shows an error box (caption "ScrollBackground::read") and
// returns false for a picture that cannot be loaded or is smaller than the
// window; the background then draws what it has (nothing, or the small
// picture at the top-left corner). A picture whose data proves broken only
// as it is decoded shows the same box from the draw that needed it, once,
// and draws nothing from then on.

#include <memory>

#include "engine/core/YString.h"

namespace veru::platform {
class VideoDevice;
}
namespace veru::dxt {
class DirectGraphics;
}
namespace veru::dxt::material {
class Surface;
}

namespace ml::shooting::cmp {

class ScrollBackground {
  public:
    // The window's size; the field is 800 x 480. The window starts at (0, 0)
    // over an empty surface.
    ScrollBackground(int viewWidth, int viewHeight);
    ~ScrollBackground();
    ScrollBackground(const ScrollBackground&) = delete;
    ScrollBackground& operator=(const ScrollBackground&) = delete;

    // Loads the picture (a ".ysf" file). False after an error box.
    bool read(veru::platform::VideoDevice* device, const veru::YString& path);
    // Moves the window; true when an edge stopped it on either axis.
    bool scroll(int dx, int dy);
    // Copies the window, unscaled and unblended, to (0, 0) of the back
    // buffer at once: whatever is queued afterwards lies over it.
    void draw(veru::dxt::DirectGraphics& graphics);

    int getScrollX() const { return scrollX; }
    int getScrollY() const { return scrollY; }
    int getViewWidth() const { return viewWidth; }
    int getViewHeight() const { return viewHeight; }
    veru::dxt::material::Surface* getSurface() const { return surface.get(); }

  private:
    int scrollX = 0;
    int scrollY = 0;
    int viewWidth;
    int viewHeight;
    std::unique_ptr<veru::dxt::material::Surface> surface;
};

}  // namespace ml::shooting::cmp
