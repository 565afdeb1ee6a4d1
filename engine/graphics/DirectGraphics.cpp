#include "engine/graphics/DirectGraphics.h"

#include <algorithm>

#include "engine/exceptions/NullPointerException.h"
#include "engine/graphics/BlendMode.h"
#include "engine/graphics/DegreeTable.h"
#include "engine/material/SpriteNotBeginException.h"
#include "engine/material/Surface.h"
#include "engine/material/Texture.h"
#include "engine/platform/video/VideoDevice.h"
#include "engine/window/MessageBox.h"

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

void DirectGraphics::emitSprite(const QueuedDraw& s) {
    platform::DeviceTexture* picture = s.texture->getDeviceTexture();
    if (!device || !picture) {
        return;
    }
    const material::SourceRect& src = s.cell;
    float w = static_cast<float>(src.right - src.left);
    float h = static_cast<float>(src.bottom - src.top);
    // The rotation centre, in scaled picture pixels from the top-left.
    float rcx = 0.0f;
    float rcy = 0.0f;
    if (s.centred) {
        rcx = s.scaleX == 1.0f ? static_cast<float>(s.centreX) : s.scaleX * s.centreX;
        rcy = s.scaleY == 1.0f ? static_cast<float>(s.centreY) : s.scaleY * s.centreY;
    }
    float left = s.x - rcx;
    float top = s.y - rcy;
    std::uint32_t colour = withTextureAlpha(s.colour, s.alpha);
    int angle = DegreeTable::normalise(s.angle);
    if (angle == 0 && s.scaleX > 0.0f && s.scaleY > 0.0f) {
        // Not turned: a rectangle copy, much faster than geometry in software.
        device->drawCopy(
            *picture,
            platform::PixelRect{src.left, src.top, src.right - src.left, src.bottom - src.top},
            left, top, w * s.scaleX, h * s.scaleY, colour, platform::BlendMode::blend,
            platform::Filter::linear);
        return;
    }
    // Turned counter-clockwise on the screen (y grows downwards) about the centre.
    float sine = DegreeTable::sine(angle);
    float cosine = DegreeTable::cosine(angle);
    float pivotX = left + rcx;
    float pivotY = top + rcy;
    float tw = static_cast<float>(picture->getWidth());
    float th = static_cast<float>(picture->getHeight());
    float u0 = static_cast<float>(src.left) / tw;
    float u1 = static_cast<float>(src.right) / tw;
    float v0 = static_cast<float>(src.top) / th;
    float v1 = static_cast<float>(src.bottom) / th;
    const float px[4] = {0.0f, w * s.scaleX, 0.0f, w * s.scaleX};
    const float py[4] = {0.0f, 0.0f, h * s.scaleY, h * s.scaleY};
    const float pu[4] = {u0, u1, u0, u1};
    const float pv[4] = {v0, v0, v1, v1};
    platform::ScreenVertex v[4];
    for (int i = 0; i < 4; ++i) {
        float dx = px[i] - rcx;
        float dy = py[i] - rcy;
        v[i].x = pivotX + dx * cosine + dy * sine;
        v[i].y = pivotY - dx * sine + dy * cosine;
        v[i].argb = colour;
        v[i].u = pu[i];
        v[i].v = pv[i];
    }
    device->drawQuad(*picture, v, platform::BlendMode::blend, platform::Filter::linear);
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
    return static_cast<std::size_t>(std::count_if(queue.begin(), queue.end(), [](const QueuedDraw& d) {
        return d.kind == QueuedDraw::Kind::sprite;
    }));
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
    // The quad shows the alpha and cell of its record; the texture keeps its own alpha.
    int textureAlpha = texture->getAlpha();
    texture->setAlpha(q.alpha);
    texture->placeQuad(q.x, q.y, q.scaleX, q.scaleY, q.sine, q.cosine, q.centred);
    texture->setTexCoords(q.cell);
    texture->applyAlpha();
    texture->uploadVertices(device);
    texture->setAlpha(textureAlpha);
    platform::DeviceTexture* picture = texture->getDeviceTexture();
    if (!device || !picture) {
        return;
    }
    platform::ScreenVertex v[4];
    const auto& buffer = texture->getVertexBuffer();
    for (int i = 0; i < 4; ++i) {
        v[i].x = buffer[i].x;
        v[i].y = buffer[i].y;
        v[i].argb = buffer[i].color;
        v[i].u = buffer[i].u;
        v[i].v = buffer[i].v;
    }
    BlendStates states = statesFor(q.blend);
    device->drawQuad(*picture, v, states.blend, states.filter);
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
