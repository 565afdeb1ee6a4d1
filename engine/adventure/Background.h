#pragma once
// Background: the picture behind a talk scene, drawn with its top-left
// corner at the component's position. Always idle.
//
// Ownership: borrows its picture (the scene owns every picture it loaded).
// Thread: main thread only.

#include "engine/adventure/ADVComponent.h"

namespace veru::dxt::material {
class Texture;
}

namespace veru::adv {

class Background : public ADVComponent {
  public:
    bool update(int) override { return true; }
    void draw(dxt::DirectGraphics& graphics) override;
    // Null shows nothing.
    void setImage(dxt::material::Texture* texture) { image = texture; }
    dxt::material::Texture* getImage() const { return image; }

  private:
    dxt::material::Texture* image = nullptr;
};

}  // namespace veru::adv
