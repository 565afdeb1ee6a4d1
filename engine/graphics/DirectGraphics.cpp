#include "engine/graphics/DirectGraphics.h"

#include <algorithm>

#include "engine/core/MessageBox.h"
#include "engine/exceptions/NullPointerException.h"
#include "engine/graphics/BlendMode.h"
#include "engine/graphics/DegreeTable.h"
#include "engine/material/SpriteNotBeginException.h"
#include "engine/material/Surface.h"
#include "engine/material/Texture.h"
#include "engine/platform/video/VideoDevice.h"

namespace veru::dxt {

namespace {

struct BlendStates {
    platform::BlendMode blend;
    platform::Filter filter;
};

BlendStates statesFor(int mode) {
    switch (mode) {
        case BlendAlphaSmooth:
            return {platform::BlendMode::blend, platform::Filter::linear};
        case BlendAlphaPoint:
        case BlendAlphaModulate:
            return {platform::BlendMode::blend, platform::Filter::point};
        case BlendAdd:
            return {platform::BlendMode::add, platform::Filter::linear};
        default:
            return {platform::BlendMode::none, platform::Filter::linear};
    }
}

std::uint32_t withTextureAlpha(std::uint32_t colour, int alpha) {
    if (alpha >= 255) {
        return colour;
    }
    auto a = static_cast<std::uint32_t>(std::max(alpha, 0));
    return (colour & 0x00FFFFFFu) | a << 24;
}

}  // namespace

DirectGraphics::DirectGraphics(platform::VideoDevice* d) : font(u"default", 23), device(d) {
    DegreeTable::build();
    if (!device) {
        awt::showError(u"バックバッファ取得失敗。", u"DirectGraphics.DirectGraphics()");
        return;
    }
    width = device->getWidth();
    height = device->getHeight();
    queue.reserve(1024);
}

DirectGraphics::~DirectGraphics() = default;

void DirectGraphics::startSprite() {
    if (!device) {
        awt::showError(u"スプライト作成失敗。", u"DirectGraphics::startSprite()");
        spriteBegun = false;
        return;
    }
    spriteBegun = true;
}

void DirectGraphics::endSprite() {
    spriteBegun = false;
}

void DirectGraphics::drawSprite(material::Texture* texture, int angle, int x, int y, float scaleX,
                                float scaleY, int centreX, int centreY, std::uint32_t colour) {
    if (!spriteBegun) {
        throw material::SpriteNotBeginException();
    }
    if (!texture) {
        throw excp::NullPointerException();
    }
    emitSprite(spriteRecord(texture, x, y, scaleX, scaleY, angle, centreX, centreY, colour));
}

DirectGraphics::QueuedDraw DirectGraphics::spriteRecord(material::Texture* texture, int x, int y,
                                                        float scaleX, float scaleY, int angle,
                                                        int centreX, int centreY,
                                                        std::uint32_t colour) const {
    return QueuedDraw{QueuedDraw::Kind::sprite,
                      centred,
                      texture,
                      texture->sourceRect(),
                      texture->getAlpha(),
                      static_cast<float>(x),
                      static_cast<float>(y),
                      scaleX,
                      scaleY,
                      angle,
                      centreX,
                      centreY,
                      colour,
                      0.0f,
                      1.0f,
                      0};
}

DirectGraphics::QueuedDraw DirectGraphics::quadRecord(material::Texture* texture, float x, float y,
                                                      float scaleX, float scaleY, int angle,
                                                      int blend) const {
    int a = DegreeTable::normalise(angle);
    return QueuedDraw{QueuedDraw::Kind::quad,
                      centred,
                      texture,
                      texture->sourceRect(),
                      texture->getAlpha(),
                      x,
                      y,
                      scaleX,
                      scaleY,
                      a,
                      0,
                      0,
                      0xFFFFFFFFu,
                      DegreeTable::sine(a),
                      DegreeTable::cosine(a),
                      blend};
}

void DirectGraphics::drawSprite(material::Texture* texture, int x, int y) {
    drawSprite(texture, x, y, 1.0f, 1.0f);
}

void DirectGraphics::drawSprite(material::Texture* texture, int x, int y, float scaleX,
                                float scaleY) {
    if (!texture) {
        throw excp::NullPointerException();
    }
    drawSprite(texture, 0, x, y, scaleX, scaleY, texture->getCellWidth() >> 1,
               texture->getCellHeight() >> 1, 0xFFFFFFFFu);
}

void DirectGraphics::emit(const QueuedDraw& draw) {
    if (draw.kind == QueuedDraw::Kind::sprite) {
        emitSprite(draw);
    } else {
        emitQuad(draw);
    }
}

namespace {

// One axis of a picture turned about a pivot: the picture spans `from`..`to`
// pixels relative to the pivot (to < from when mirrored).
struct Span {
    float start;   // the copy's rectangle starts here, relative to the pivot
    float extent;  // and is this long
    bool mirrored;
};

Span spanOf(float from, float to) {
    return to >= from ? Span{from, to - from, false} : Span{to, from - to, true};
}

platform::CopyPlacement placementAbout(float pivotX, float pivotY, Span sx, Span sy, double angle) {
    return platform::CopyPlacement{
        pivotX + sx.start, pivotY + sy.start, sx.extent,   sy.extent,  angle,
        -sx.start,         -sy.start,         sx.mirrored, sy.mirrored};
}

platform::PixelRect pixelRect(const material::SourceRect& r) {
    return platform::PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace

void DirectGraphics::emitSprite(const QueuedDraw& s) {
    platform::DeviceTexture* picture = s.texture->getDeviceTexture();
    if (!device || !picture) {
        return;
    }
    const material::SourceRect& src = s.cell;
    float w = static_cast<float>(src.right - src.left) * s.scaleX;
    float h = static_cast<float>(src.bottom - src.top) * s.scaleY;
    if (w == 0.0f || h == 0.0f) {
        return;
    }
    // The rotation centre, in scaled picture pixels from the top-left.
    float rcx = 0.0f;
    float rcy = 0.0f;
    if (s.centred) {
        rcx = s.scaleX == 1.0f ? static_cast<float>(s.centreX) : s.scaleX * s.centreX;
        rcy = s.scaleY == 1.0f ? static_cast<float>(s.centreY) : s.scaleY * s.centreY;
    }
    std::uint32_t colour = withTextureAlpha(s.colour, s.alpha);
    int angle = DegreeTable::normalise(s.angle);
    if (angle == 0 && w > 0.0f && h > 0.0f) {
        device->drawCopy(*picture, pixelRect(src), s.x - rcx, s.y - rcy, w, h, colour,
                         platform::BlendMode::blend, platform::Filter::linear);
        return;
    }
    // The picture spans -rc .. size - rc about the pivot (mirrored by a
    // negative scale) and turns counter-clockwise on the screen.
    device->drawTurnedCopy(*picture, pixelRect(src),
                           placementAbout(s.x, s.y, spanOf(-rcx, w - rcx), spanOf(-rcy, h - rcy),
                                          angle == 0 ? 0.0 : 360.0 - angle),
                           colour, platform::BlendMode::blend, platform::Filter::linear);
}

void DirectGraphics::queueSprite(material::Texture* texture, int x, int y, float scaleX,
                                 float scaleY, int angle, int centreX, int centreY) {
    if (!texture) {
        throw excp::NullPointerException();
    }
    queue.push_back(
        spriteRecord(texture, x, y, scaleX, scaleY, angle, centreX, centreY, 0xFFFFFFFFu));
}

namespace {
int halfCellWidth(const material::Texture* t) {
    if (!t) {
        throw excp::NullPointerException();
    }
    return t->getCellWidth() >> 1;
}
int halfCellHeight(const material::Texture* t) {
    return t->getCellHeight() >> 1;
}
}  // namespace

void DirectGraphics::queueSprite(material::Texture* t, int x, int y) {
    queueSprite(t, x, y, 1.0f, 1.0f, 0, halfCellWidth(t), halfCellHeight(t));
}

void DirectGraphics::queueSprite(material::Texture* t, int x, int y, int angle) {
    queueSprite(t, x, y, 1.0f, 1.0f, angle, halfCellWidth(t), halfCellHeight(t));
}

void DirectGraphics::queueSprite(material::Texture* t, int x, int y, float scale) {
    queueSprite(t, x, y, scale, scale, 0, halfCellWidth(t), halfCellHeight(t));
}

void DirectGraphics::queueSprite(material::Texture* t, int x, int y, float scale, int angle) {
    queueSprite(t, x, y, scale, scale, angle, halfCellWidth(t), halfCellHeight(t));
}

void DirectGraphics::queueSprite(material::Texture* t, int x, int y, float scaleX, float scaleY) {
    queueSprite(t, x, y, scaleX, scaleY, 0, halfCellWidth(t), halfCellHeight(t));
}

void DirectGraphics::flushSprites(bool begin, bool end) {
    if (begin) {
        startSprite();
    }
    if (!spriteBegun && queuedSprites() > 0) {
        queue.clear();
        throw material::SpriteNotBeginException();
    }
    drawQueue();
    if (end) {
        endSprite();
    }
}

void DirectGraphics::drawQueue() {
    for (const QueuedDraw& draw : queue) {
        emit(draw);
    }
    queue.clear();
}

std::size_t DirectGraphics::queuedSprites() const {
    return static_cast<std::size_t>(
        std::count_if(queue.begin(), queue.end(),
                      [](const QueuedDraw& d) { return d.kind == QueuedDraw::Kind::sprite; }));
}

std::size_t DirectGraphics::queuedQuads() const {
    return queue.size() - queuedSprites();
}

void DirectGraphics::drawQuad(material::Texture* texture, float x, float y, float scaleX,
                              float scaleY, int angle, int blend) {
    if (!texture) {
        throw excp::NullPointerException();
    }
    if (texture->getAlpha() == 0) {
        return;
    }
    emitQuad(quadRecord(texture, x, y, scaleX, scaleY, angle, blend));
}

void DirectGraphics::emitQuad(const QueuedDraw& q) {
    material::Texture* texture = q.texture;
    if (!device) {
        return;
    }
    BlendStates states = statesFor(q.blend);
    platform::DeviceTexture* picture = texture->getDeviceTexture();
    // Additive light ignores the picture's own alpha: only the quad's alpha
    // counts. A renderer without the mode for that draws an opaque twin.
    if (states.blend == platform::BlendMode::add) {
        if (device->addsOpaque()) {
            states.blend = platform::BlendMode::addOpaque;
        } else {
            picture = texture->getOpaqueTwin(device);
        }
    }
    if (!picture) {
        return;
    }
    material::QuadExtent e = texture->quadExtent(q.scaleX, q.scaleY, q.centred);
    Span sx = spanOf(e.x0, e.x1);
    Span sy = spanOf(e.y0, e.y1);
    if (sx.extent == 0.0f || sy.extent == 0.0f) {
        return;
    }
    std::uint32_t colour =
        static_cast<std::uint32_t>(std::clamp(q.alpha, 0, 255)) << 24 | 0x00FFFFFFu;
    if (q.angle == 0 && !sx.mirrored && !sy.mirrored) {
        device->drawCopy(*picture, pixelRect(q.cell), q.x + sx.start, q.y + sy.start, sx.extent,
                         sy.extent, colour, states.blend, states.filter);
        return;
    }
    // Quads turn about their anchor, clockwise on the screen.
    device->drawTurnedCopy(*picture, pixelRect(q.cell),
                           placementAbout(q.x, q.y, sx, sy, static_cast<double>(q.angle)), colour,
                           states.blend, states.filter);
}

void DirectGraphics::queueQuad(material::Texture* texture, float x, float y, float scaleX,
                               float scaleY, int angle, int blend) {
    if (!texture) {
        throw excp::NullPointerException();
    }
    if (texture->getAlpha() == 0) {
        return;
    }
    queue.push_back(quadRecord(texture, x, y, scaleX, scaleY, angle, blend));
}

void DirectGraphics::queueQuad(material::Texture* t, float x, float y, int angle, int blend) {
    queueQuad(t, x, y, 1.0f, 1.0f, angle, blend);
}

void DirectGraphics::queueQuad(material::Texture* t, float x, float y, float scale, int angle,
                               int blend) {
    queueQuad(t, x, y, scale, scale, angle, blend);
}

void DirectGraphics::queueQuad(material::Texture* t, float x, float y, float scaleX, float scaleY,
                               int blend) {
    queueQuad(t, x, y, scaleX, scaleY, 0, blend);
}

void DirectGraphics::queueQuad(material::Texture* t, float x, float y, float scale, int blend) {
    queueQuad(t, x, y, scale, scale, 0, blend);
}

void DirectGraphics::queueQuad(material::Texture* t, float x, float y, int blend) {
    queueQuad(t, x, y, 1.0f, 1.0f, 0, blend);
}

void DirectGraphics::flushQuads() {
    bool begun = spriteBegun;
    spriteBegun = true;  // queued sprites draw here too; the batch is only a bracket
    drawQueue();
    spriteBegun = begun;
}

void DirectGraphics::copySurface(material::Surface* surface) {
    if (!surface) {
        throw excp::NullPointerException();
    }
    surface->drawAll(*this);
}

void DirectGraphics::copySurfacePart(material::Surface* surface, int x, int y, int w, int h) {
    if (!surface) {
        throw excp::NullPointerException();
    }
    surface->drawPart(x, y, w, h, *this);
}

void DirectGraphics::copySurfacePart(material::Surface* surface, int x, int y, int w, int h,
                                     int destX, int destY) {
    if (!surface) {
        throw excp::NullPointerException();
    }
    surface->drawPart(x, y, w, h, destX, destY, *this);
}

}  // namespace veru::dxt
