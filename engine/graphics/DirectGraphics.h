#pragma once
// DirectGraphics: the drawing context a scene makes in create and frees in
// release.
//
// Sprites: drawn between startSprite and endSprite, at once (drawSprite) or
// collected (queueSprite). A positive
// sprite angle turns the picture counter-clockwise on the screen. When
// `centred` is on, positions name the picture's centre and it turns about
// it; otherwise they name its top-left corner. Colour 0xFFFFFFFF draws the
// picture unchanged; a texture alpha below 255 replaces the colour's alpha.
// Quads: drawn at once (drawQuad) or collected (queueQuad), each with a
// blend mode (BlendMode.h); a positive quad angle turns clockwise. A texture
// with alpha 0 draws no quad.
// The queue: queued sprites and quads share one list, so whatever is queued
// later covers what was queued earlier, whatever its kind (a pause shade or
// a fade queued last covers the particles of the field). Either flush draws
// the whole list in order and empties it. A record keeps what its texture
// showed when it was queued (alpha and cell), so changing the texture before
// the flush changes nothing already queued; a flush leaves every texture's
// alpha as it found it.
// Surfaces: copied 1:1 onto the back buffer.
//
// Ownership: borrows the device; queued records borrow their textures, which
// must outlive the next flush.
// Thread: main thread only.
// Failure: a null device shows "バックバッファ取得失敗。" (caption
// "DirectGraphics.DirectGraphics()") and every draw does nothing; a sprite
// draw outside startSprite/endSprite throws SpriteNotBeginException; a null
// texture throws NullPointerException.

#include <cstdint>
#include <vector>

#include "engine/core/YString.h"
#include "engine/graphics/Color.h"
#include "engine/graphics/FontSpec.h"
#include "engine/material/Texture.h"

namespace veru::platform {
class VideoDevice;
}
namespace veru::dxt::material {
class Surface;
}

namespace veru::dxt {

class DirectGraphics {
  public:
    explicit DirectGraphics(platform::VideoDevice* device);
    ~DirectGraphics();
    DirectGraphics(const DirectGraphics&) = delete;
    DirectGraphics& operator=(const DirectGraphics&) = delete;

    void startSprite();
    void endSprite();
    bool isSpriteBegun() const { return spriteBegun; }
    void setCentred(bool on) { centred = on; }
    bool isCentred() const { return centred; }

    void drawSprite(material::Texture* texture, int angle, int x, int y, float scaleX, float scaleY,
                    int centreX, int centreY, std::uint32_t colour);
    // Scale 1, angle 0, the centre at half the cell.
    void drawSprite(material::Texture* texture, int x, int y);
    // Angle 0, the centre at half the cell.
    void drawSprite(material::Texture* texture, int x, int y, float scaleX, float scaleY);

    void queueSprite(material::Texture* texture, int x, int y, float scaleX, float scaleY,
                     int angle, int centreX, int centreY);
    // The forms below put the centre at half the cell.
    void queueSprite(material::Texture* texture, int x, int y);
    void queueSprite(material::Texture* texture, int x, int y, int angle);
    void queueSprite(material::Texture* texture, int x, int y, float scale);
    void queueSprite(material::Texture* texture, int x, int y, float scale, int angle);
    void queueSprite(material::Texture* texture, int x, int y, float scaleX, float scaleY);
    // Draws the queue in order and empties it; `begin` and `end` wrap it in
    // startSprite / endSprite. Queued sprites need a begun batch: without one
    // the queue is emptied and SpriteNotBeginException thrown.
    void flushSprites(bool begin = true, bool end = true);

    void drawQuad(material::Texture* texture, float x, float y, float scaleX, float scaleY,
                  int angle, int blend);
    void queueQuad(material::Texture* texture, float x, float y, float scaleX, float scaleY,
                   int angle, int blend);
    void queueQuad(material::Texture* texture, float x, float y, int angle, int blend);
    void queueQuad(material::Texture* texture, float x, float y, float scale, int angle, int blend);
    void queueQuad(material::Texture* texture, float x, float y, float scaleX, float scaleY,
                   int blend);
    void queueQuad(material::Texture* texture, float x, float y, float scale, int blend);
    void queueQuad(material::Texture* texture, float x, float y, int blend);
    // Draws the queue in order and empties it, sprites included (a batch is
    // begun for them when none is).
    void flushQuads();
    std::size_t queuedSprites() const;
    std::size_t queuedQuads() const;

    void copySurface(material::Surface* surface);
    // The rectangle (x, y, width, height) of the surface to the same place of the back buffer.
    void copySurfacePart(material::Surface* surface, int x, int y, int width, int height);
    // The same rectangle with its top-left corner on (destX, destY): a scrolling
    // background copies its window (scrollX, scrollY, 800, 480) to (0, 0).
    void copySurfacePart(material::Surface* surface, int x, int y, int width, int height, int destX,
                         int destY);

    void setFont(const FontSpec& spec) { font = spec; }
    const FontSpec& getFont() const { return font; }
    void setTextColor(const Color& color) { textColor = color; }
    const Color& getTextColor() const { return textColor; }

    // Renders `text` (lines split at U+000A, `lineGap` pixels between lines)
    // anti-aliased in `colour` (packed ARGB) into `texture`. False, and the
    // texture unchanged, for a colour with alpha 0, an empty picture or a
    // font that cannot be made.
    static bool drawAntiAliasingString(platform::VideoDevice* device, material::Texture* texture,
                                       const YString& text, const FontSpec& spec,
                                       std::uint32_t colour, int lineGap);

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    platform::VideoDevice* getDevice() const { return device; }

  private:
    // One queued draw. Sprites use angle, centre and colour; quads use the
    // sine, cosine and blend mode. `cell` and `alpha` are the texture's when queued.
    struct QueuedDraw {
        enum class Kind : unsigned char { sprite, quad };
        Kind kind;
        bool centred;
        material::Texture* texture;
        material::SourceRect cell;
        int alpha;
        float x, y, scaleX, scaleY;
        int angle;
        int centreX, centreY;
        std::uint32_t colour;
        float sine, cosine;
        int blend;
    };

    QueuedDraw spriteRecord(material::Texture* texture, int x, int y, float scaleX, float scaleY,
                            int angle, int centreX, int centreY, std::uint32_t colour) const;
    QueuedDraw quadRecord(material::Texture* texture, float x, float y, float scaleX, float scaleY,
                          int angle, int blend) const;
    void emit(const QueuedDraw& draw);
    void emitSprite(const QueuedDraw& sprite);
    void emitQuad(const QueuedDraw& quad);
    void drawQueue();

    bool spriteBegun = false;
    bool centred = false;
    int width = 0;
    int height = 0;
    Color textColor;
    FontSpec font;
    platform::VideoDevice* device;
    std::vector<QueuedDraw> queue;
};

}  // namespace veru::dxt
