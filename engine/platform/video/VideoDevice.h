#pragma once
// VideoDevice: the renderer the game draws with, and its back buffer.
//
// create() tries, in order: an accelerated renderer on the window, the
// software renderer on the window, and the software renderer on an off-screen
// ARGB surface of the back buffer's size (which works even when no display
// is there; it is also what a null window asks for). The back buffer keeps
// its size in full screen: it is scaled to the desktop and letterboxed.
//
// Scaled windows (a window of scale 2, full screen on a desktop of another
// size): the software renderer draws the frame at the back buffer's size
// into a texture the device owns, and present() copies that once onto the
// window, scaled with sharp edges and letterboxed with black bars. Drawing
// each picture scaled would cost the CPU four times the pixels on every
// copy. A window of the back buffer's own size is drawn on directly. The
// device follows the window's size at every present(). Where the texture
// cannot be made, each draw is scaled to the window as it lands instead
// (slower, the same picture). The accelerated renderer always scales each
// draw: a graphics card does that for nothing.
//
// Vsync is asked for only on an accelerated renderer whose display refreshes
// at 59 to 61 Hz, where showing a frame in step with the display is the same
// as 60 frames a second; everywhere else the frame timer paces the frames.
//
// Draws: textured quads with a colour per vertex (SDL_RenderGeometry),
// rectangle copies with one colour (SDL_RenderCopyF), turned or mirrored
// copies with one colour (SDL_RenderCopyExF; on the software renderer both
// are many times faster than geometry), and 1:1 copies without blending for
// full-screen pictures. Colours are packed ARGB; the vertex colour multiplies
// the texture, alpha included. Where the renderer takes a custom blend mode
// (addsOpaque), additive light that ignores the picture's alpha is drawn
// from the picture itself (BlendMode::addOpaque).
//
// Ownership: borrows the window, which must outlive the device; owns the SDL
// renderer, the off-screen surface and the scaled window's frame texture.
// Textures it made may outlive it.
// Thread: main thread only.
// Failure: create() returns null and fills `error`; draws with an invalid
// texture do nothing; readPixels() returns false.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform/video/DeviceTexture.h"
#include "engine/platform/video/SdlHandles.h"

namespace veru::platform {

class Window;

// A vertex already in screen pixels: position, ARGB colour, texture coordinates 0..1.
struct ScreenVertex {
    float x = 0.0f;
    float y = 0.0f;
    std::uint32_t argb = 0xFFFFFFFFu;
    float u = 0.0f;
    float v = 0.0f;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Where drawTurnedCopy puts a picture: the rectangle (x, y, w, h) before
// turning (w, h >= 0), mirrored on the axes whose flag is set, then turned
// `angle` degrees clockwise on the screen about (centreX, centreY), given
// relative to the rectangle's top-left corner.
struct CopyPlacement {
    float x = 0.0f;
    float y = 0.0f;
    float w = 0.0f;
    float h = 0.0f;
    double angle = 0.0;
    float centreX = 0.0f;
    float centreY = 0.0f;
    bool mirrorX = false;
    bool mirrorY = false;
};

// One copy of a whole texture for drawRawCopies: where, and with what alpha.
struct RawCopy {
    CopyPlacement at;
    std::uint8_t alpha = 255;
};

class VideoDevice {
  public:
    enum class Kind { accelerated, software, offscreen };

    // `window` may be null for a device that only draws off-screen.
    static std::unique_ptr<VideoDevice> create(Window* window, int width, int height,
                                               std::string& error);
    ~VideoDevice();
    VideoDevice(const VideoDevice&) = delete;
    VideoDevice& operator=(const VideoDevice&) = delete;

    Kind getKind() const { return kind; }
    // True when present() waits for the display's refresh: an accelerated
    // renderer on a display running at 59 to 61 Hz that accepted vsync.
    bool isPresentSynced() const { return presentSynced; }
    // SDL's name of the renderer ("software", "opengl", ...).
    std::string rendererName() const;
    // Size of the back buffer (the logical size in full screen).
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    Window* getWindow() const { return window; }

    // A texture of `width` x `height`; `argb` may be null for transparent black.
    // It keeps a CPU copy of its pixels only where keepsPixelCopies() says.
    // Returns null when SDL refuses the texture.
    std::unique_ptr<DeviceTexture> createTexture(int width, int height, const std::uint32_t* argb);
    // A texture of `width` x `height` from `argb`, whose rows lie `pitch`
    // pixels apart, for a picture that is only ever copied as it is (no
    // turning, no opaque twin). It keeps no CPU copy of its pixels unless
    // the renderer can lose its textures (getPixels() is then empty).
    // Returns null when SDL refuses the texture.
    std::unique_ptr<DeviceTexture> createStaticTexture(int width, int height,
                                                       const std::uint32_t* argb, int pitch);
    // True when the renderer draws BlendMode::addOpaque straight from a
    // picture with alpha; elsewhere such draws do nothing, and additive
    // light that must ignore a picture's alpha needs an opaque copy of it.
    bool addsOpaque() const { return opaqueAdd; }
    // The widest and highest texture the renderer accepts.
    int getMaxTextureWidth() const { return maxTextureWidth; }
    int getMaxTextureHeight() const { return maxTextureHeight; }
    // True when the renderer may lose its textures (a Direct3D device
    // reset), so that every texture keeps a CPU copy to upload again.
    bool losesTextures() const;
    // True when textures made from now on keep a CPU copy of their pixels:
    // where the renderer may lose its textures, on the software renderers
    // (which turn, stretch and fill from the copy), and where the renderer
    // cannot draw into a texture (so that nothing can be read back). An
    // accelerated renderer keeps none: the pictures live on the card only.
    bool keepsPixelCopies() const { return keepCopies; }
    // Overrides that choice for the textures made from now on, so that tests
    // can draw the accelerated renderer's way on the software one. Without a
    // copy the software renderer draws with SDL's own turned, scaled and 1x1
    // copies. Textures already made keep what they have.
    void setKeepsPixelCopies(bool keep) { keepCopies = keep; }
    // The texture's pixels, width * height ARGB values, rows top down: its
    // CPU copy when it has one, else read back from the device it was made
    // on (drawn unblended onto a texture of its size, which is read; the
    // target, viewport, clip and scale are as they were afterwards). Empty
    // when the texture has no SDL texture, the renderer cannot draw into a
    // texture or the read fails.
    std::vector<std::uint32_t> texturePixels(DeviceTexture& texture);

    bool clear(std::uint32_t argb);
    // Completes the frame's drawing, so that present() only has to show it.
    // SDL collects draws into batches and runs them when the frame is shown,
    // which would put each frame on screen late by however long its drawing
    // takes. This runs the batch now; on an OpenGL renderer it also waits
    // until the driver has drawn it (glFinish).
    void finishDrawing();
    // Shows the frame: on a scaled software window, copies the frame texture
    // onto the window first. Then aims the next frame's drawing at the frame
    // texture or at the window, as the window's size now asks.
    void present();
    // True while the frame is drawn into the device's own texture, to be
    // scaled onto the window at present().
    bool drawsThroughFrame() const { return frameTargeted; }

    // A textured quad: the four vertices are top-left, top-right,
    // bottom-left, bottom-right (two triangles).
    void drawQuad(DeviceTexture& texture, const ScreenVertex vertices[4], BlendMode blend,
                  Filter filter);
    // Copies `source` of the texture onto `x`, `y`, `w`, `h` of the back buffer,
    // multiplied by `argb`.
    void drawCopy(DeviceTexture& texture, const PixelRect& source, float x, float y, float w,
                  float h, std::uint32_t argb, BlendMode blend, Filter filter);
    // Copies `source` of the texture as `placement` says, multiplied by `argb`
    // (SDL's copy with rotation: far cheaper than geometry in software).
    void drawTurnedCopy(DeviceTexture& texture, const PixelRect& source,
                        const CopyPlacement& placement, std::uint32_t argb, BlendMode blend,
                        Filter filter);
    // Copies `source` 1:1 to (x, y) without blending (alpha is copied too).
    void copyOpaque(DeviceTexture& texture, const PixelRect& source, int x, int y);

    // Fills a rectangle with `argb`, replacing what is there (no blending).
    void fillRect(const PixelRect& rect, std::uint32_t argb);
    // Limits every draw to `rect`; null lifts the limit.
    void setClip(const PixelRect* rect);

    // Carries out every draw SDL still holds in its batch (for timing).
    void flush();

    // Reads the back buffer as it is now: width * height ARGB values. (Only
    // where the frame texture could not be made does a scaled window give
    // the frame as scaled, the size of the picture within the window.)
    bool readPixels(std::vector<std::uint32_t>& out, int& outWidth, int& outHeight);
    // Reads what the window shows after present(), bars included, at the
    // window's size; false on an accelerated or off-screen device.
    bool readShownPixels(std::vector<std::uint32_t>& out, int& outWidth, int& outHeight);

    // How many textures of this device are alive, and the bytes of their
    // pixels (4 per pixel), for memory measurements.
    std::size_t getTextureCount() const { return textures.size(); }
    std::size_t getTextureBytes() const;
    // The bytes of the turned and stretched pictures kept for the software
    // renderer, and how many it has made since the device was made.
    std::size_t getTurnedBytes() const;
    std::size_t getTurnedMade() const { return turnedMade; }

    // Uploads every live texture again from its CPU copy (after the renderer
    // lost them; a texture without one is left as it is). Called by the
    // event pump.
    void restoreTextures();
    // Every device alive at the moment, for the event pump.
    static void restoreAllDevices();

    // The plainest way SDL draws `count` copies of the whole texture in the
    // blend mode: the yardstick the drawing benchmarks compare against.
    void drawRawCopies(DeviceTexture& texture, const RawCopy* copies, int count, BlendMode blend);

  private:
    friend class DeviceTexture;
    VideoDevice() = default;

    // Makes the SDL texture anew from `argb` (rows `pitch` pixels apart).
    bool upload(DeviceTexture& texture, const std::uint32_t* argb, int pitch);
    void forget(DeviceTexture* texture);
    // Whether every pixel of a w x h picture (rows `pitch` pixels apart) has
    // alpha 0xFF.
    static bool allOpaque(const std::uint32_t* argb, int w, int h, int pitch);
    // Draws a copy of a single texel as a filled rectangle; false when the
    // copy is not one the fill paints exactly alike.
    bool fillFromTexel(const DeviceTexture& texture, const PixelRect& source, float x, float y,
                       float w, float h, std::uint32_t argb, BlendMode blend);
    void applyState(DeviceTexture& texture, BlendMode blend, Filter filter, std::uint32_t argb,
                    bool modulate);
    // True when a draw of the texture in `blend` paints anything: the
    // texture has its SDL texture and the renderer takes the mode.
    bool draws(const DeviceTexture& texture, BlendMode blend) const;
    // True when a copy of `source` to (x, y, w, h) lands pixel for pixel: its
    // own size, on whole pixels, with the renderer not scaling the frame.
    bool pixelForPixel(const PixelRect& source, float x, float y, float w, float h) const;
    // The kept turned picture for this copy, made on first use (every texel
    // taken as opaque when `opaque`); null when the copy is too large to keep.
    // (gridX, gridY) receive the pixel the turning centre falls in, which the
    // picture's place is relative to.
    DeviceTexture::Turned* turnedPicture(DeviceTexture& texture, const PixelRect& source,
                                         const CopyPlacement& placement, Filter filter, bool opaque,
                                         int& gridX, int& gridY);
    // The kept picture of `source` smoothly stretched over `target`'s size,
    // made on first use; null when a copy at `target` would not paint what
    // the renderer's own scaled copy paints, or the picture is too large.
    DeviceTexture::Turned* stretchedPicture(DeviceTexture& texture, const PixelRect& source,
                                            const PixelRect& target, Filter filter);
    // True when the renderer draws without a logical-size scale (1:1).
    bool drawsOneToOne() const;
    // The renderer's viewport, and within it (in its coordinates) where a
    // draw may land: all of it, or its part inside the clip. False when the
    // clip leaves nothing.
    bool drawArea(SDL_Rect& viewport, SDL_Rect& area) const;
    // True when the renderer's scaled copy onto `target` stretches the whole
    // source first and clips after, as a kept stretched picture does.
    bool stretchesWhole(const PixelRect& target) const;
    // The kept picture for `key`, marked as just used; null if none.
    DeviceTexture::Turned* findKept(DeviceTexture& texture, const DeviceTexture::TurnedKey& key);
    // Keeps `argb` (`w` x `h`, rows `pitch` pixels apart) for `key`, dropping
    // the pictures used longest ago to stay within the device's budget.
    DeviceTexture::Turned* keep(DeviceTexture& texture, const DeviceTexture::TurnedKey& key,
                                const std::uint32_t* argb, int w, int h, int pitch);
    // The pixels of every kept picture of the device.
    std::size_t keptPixels() const;
    // Drops kept pictures, those used longest ago first, until `room` more
    // pixels fit well within the budget.
    void dropOldestKept(std::size_t room);
    // The surface the software renderer draws on; null for an accelerated one.
    SDL_Surface* drawingSurface() const;
    // Adds a kept picture 1:1 straight onto the drawing surface at (x, y), as
    // the renderer's additive copy would; false when it cannot (nothing drawn).
    bool addKept(DeviceTexture::Turned& kept, int x, int y, std::uint32_t argb);
    // Copies a kept picture 1:1 with its top-left at (x, y).
    void drawKept(DeviceTexture::Turned& kept, int x, int y, std::uint32_t argb, BlendMode blend);

    // On a software window whose size is not the back buffer's, makes the
    // frame texture if need be and draws into it from now on; elsewhere
    // leaves the drawing on the window. Called with the window as target.
    void aimDrawing();
    // Copies the frame texture onto the window, scaled and letterboxed, and
    // leaves the window as the target.
    void showFrame();

    // Reads the pixels of a texture of this device back from the renderer.
    std::vector<std::uint32_t> readBack(DeviceTexture& texture);

    Kind kind = Kind::offscreen;
    bool presentSynced = false;
    bool keepCopies = true;
    bool opaqueAdd = false;
    // glFinish of the renderer's OpenGL library; null on other renderers.
    void (*finishGl)() = nullptr;
    Window* window = nullptr;
    // Destruction order: the textures' SDL textures (dropped in ~VideoDevice),
    // then the renderer, then the off-screen surface it draws on. Members
    // are destroyed in reverse order, so `offscreen` is declared first.
    SdlSurfaceHandle offscreen;
    SdlRendererHandle renderer;
    // The frame drawn at the back buffer's size for a scaled software
    // window; made on first need, kept while the device lives (destroyed
    // before the renderer). `frameRefused` once SDL would not make it or
    // draw into it: each draw is then scaled as it lands.
    SdlTextureHandle frame;
    bool frameTargeted = false;
    bool frameRefused = false;
    int width = 0;
    int height = 0;
    int maxTextureWidth = 0;
    int maxTextureHeight = 0;
    std::vector<DeviceTexture*> textures;  // live textures of this device, not owned
    std::size_t turnedMade = 0;
    std::uint64_t keptLookups = 0;  // a clock for the kept pictures' last use
    // The limit setClip set, if any.
    bool clipped = false;
    PixelRect clipRect;
};

}  // namespace veru::platform
