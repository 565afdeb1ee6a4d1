#pragma once
// TextureComponent: a component showing one texture, loaded from a picture
// file or rendered from text, queued as a sprite at (x, y).
//
// Ownership: owns a texture it loaded; a texture given with setTexture is
// borrowed unless `owns` is true.
// Thread: main thread only.
// Failure: loadImage passes on the loader's exceptions
// (FileNotFoundException, IOException, ...); the component then keeps no
// texture and draws nothing.

#include <memory>

#include "engine/core/YString.h"
#include "engine/window/BaseComponent.h"

namespace veru::platform {
class VideoDevice;
}
namespace veru::dxt::material {
class Texture;
}

namespace veru::dxt {

class DirectGraphics;

class TextureComponent : public awt::BaseComponent {
  public:
    TextureComponent();
    ~TextureComponent() override;

    // Loads the picture at `path` (no colour key); the component takes the cell size.
    virtual void loadImage(platform::VideoDevice* device, const YString& path);
    // Renders `text` in the component's font and foreground colour.
    virtual void loadText(platform::VideoDevice* device, const YString& text);
    // Queues the texture as a sprite at (x, y), unscaled, unturned; the caller flushes.
    virtual void draw(DirectGraphics& graphics);

    // Replaces the texture (destroying one it owned). The texture it already
    // owns, given again, stays owned whatever `owns` says.
    void setTexture(material::Texture* texture, bool owns);
    material::Texture* getTexture() const { return texture; }
    bool ownsTexture() const { return owned != nullptr; }

  protected:
    // Loads a fresh texture from `path`; throws what the loader throws.
    static std::unique_ptr<material::Texture> loadPicture(platform::VideoDevice* device,
                                                          const YString& path);
    static void queue(DirectGraphics& graphics, material::Texture* texture, int x, int y);

  private:
    std::unique_ptr<material::Texture> owned;
    material::Texture* texture = nullptr;
};

}  // namespace veru::dxt
