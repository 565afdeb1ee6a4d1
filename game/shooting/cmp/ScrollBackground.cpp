#include "game/shooting/cmp/ScrollBackground.h"

#include <algorithm>

#include "engine/core/MessageBox.h"
#include "engine/exceptions/Exception.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Surface.h"

namespace ml::shooting::cmp {

namespace {
constexpr const char16_t* kReadCaption = u"ScrollBackground::read";
}

ScrollBackground::ScrollBackground(int viewWidth, int viewHeight)
    : viewWidth(viewWidth),
      viewHeight(viewHeight),
      surface(std::make_unique<veru::dxt::material::Surface>()) {}

ScrollBackground::~ScrollBackground() = default;

bool ScrollBackground::read(veru::platform::VideoDevice* device, const veru::YString& path) {
    try {
        surface->loadStreamed(path, device);
    } catch (const veru::excp::Exception& e) {
        // A missing, unreadable or truncated picture: the stage runs on
        // without a backdrop rather than not at all.
        veru::awt::showError(e.getMessage(), kReadCaption);
        return false;
    }
    const int width = surface->getWidth();
    const int height = surface->getHeight();
    if (width >= viewWidth && height >= viewHeight) {
        return true;
    }
    veru::YString text(u"読み込んだイメージの大きさが適切でありません。：");
    text.append(path).append(u"\n");
    text.append(u"(幅, 高さ) = (").append(width).append(u", ").append(height).append(u")");
    veru::awt::showError(text, kReadCaption);
    return false;
}

bool ScrollBackground::scroll(int dx, int dy) {
    // The far edge is never below 0: a picture smaller than the window (or
    // none at all) keeps the window at the origin instead of at a negative
    // position.
    const int maxX = std::max(surface->getWidth() - viewWidth, 0);
    const int maxY = std::max(surface->getHeight() - viewHeight, 0);
    scrollX += dx;
    scrollY += dy;
    bool edge = false;
    if (scrollX < 0) {
        scrollX = 0;
        edge = true;
    } else if (scrollX > maxX) {
        scrollX = maxX;
        edge = true;
    }
    if (scrollY < 0) {
        scrollY = 0;
        return true;
    }
    if (scrollY > maxY) {
        scrollY = maxY;
        return true;
    }
    return edge;
}

void ScrollBackground::draw(veru::dxt::DirectGraphics& graphics) {
    try {
        graphics.copySurfacePart(surface.get(), scrollX, scrollY, viewWidth, viewHeight, 0, 0);
    } catch (const veru::excp::Exception& e) {
        // The picture is decoded as the window reaches it, so a fault deep in
        // the file shows here, as the box a failed read shows; the surface
        // then draws nothing and the stage runs on without a backdrop.
        veru::awt::showError(e.getMessage(), kReadCaption);
    }
}

}  // namespace ml::shooting::cmp
