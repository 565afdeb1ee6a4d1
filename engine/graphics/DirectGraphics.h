#pragma once
// DirectGraphics: the drawing context a scene makes in create and frees in
// release.
//
// Sprites: drawn between startSprite and endSprite, at once (drawSprite) or
// collected (queueSprite) and drawn in order by flushSprites. A positive
// sprite angle turns the picture counter-clockwise on the screen. When
// `centred` is on, positions name the picture's centre and it turns about
// it; otherwise they name its top-left corner. Colour 0xFFFFFFFF draws the
// picture unchanged; a texture alpha below 255 replaces the colour's alpha.
// Quads: drawn at once (drawQuad) or collected (queueQuad) and drawn by
// flushQuads, each with a blend mode (BlendMode.h); a positive quad angle
// turns clockwise. A texture with alpha 0 draws no quad.
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

namespace veru::platform {
class VideoDevice;
}
namespace veru::dxt::material {
class Texture;
class Surface;
}  // namespace veru::dxt::material

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
    // Draws the queued sprites in order and empties the queue; `begin` and
    // `end` wrap it in startSprite / endSprite.
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
    void flushQuads();
    std::size_t queuedSprites() const { return sprites.size(); }
    std::size_t queuedQuads() const { return quads.size(); }

    void copySurface(material::Surface* surface);
    // The rectangle (x, y, width, height) of the surface to the same place of the back buffer.
    void copySurfacePart(material::Surface* surface, int x, int y, int width, int height);
    // The same rectangle with its top-left corner on (destX, destY): a scrolling
    // background copies its window (scrollX, scrollY, 800, 480) to (0, 0).
    void copySurfacePart(material::Surface* surface, int x, int y, int width, int height,
                         int destX, int destY);

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
    struct QueuedSprite {
        material::Texture* texture;
        int x, y;
        float scaleX, scaleY;
        int angle;
        int centreX, centreY;
        std::uint32_t colour;
        bool centred;
    };
    struct QueuedQuad {
        material::Texture* texture;
        float x, y, scaleX, scaleY;
        float sine, cosine;
        int blend;
        bool centred;
        int alpha;  // the texture's alpha when queued, so quads sharing a texture keep their own
    };

    void emitSprite(const QueuedSprite& sprite);
    void emitQuad(const QueuedQuad& quad);

    bool spriteBegun = false;
    bool centred = false;
    int width = 0;
    int height = 0;
    Color textColor;
    FontSpec font;
    platform::VideoDevice* device;
    std::vector<QueuedSprite> sprites;
    std::vector<QueuedQuad> quads;
};

}  // namespace veru::dxt
