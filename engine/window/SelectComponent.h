#pragma once
// SelectComponent: a menu item with a normal and a highlighted picture.
//
// Ownership: owns the highlighted texture it loaded.
// Thread: main thread only.
// Failure: loadSelectedImage passes on the loader's exceptions; the item
// then has no highlighted picture and draws nothing while selected.

#include "engine/window/TextureComponent.h"

namespace veru::dxt {

class SelectComponent : public TextureComponent {
  public:
    SelectComponent();
    ~SelectComponent() override;

    void loadSelectedImage(platform::VideoDevice* device, const YString& path);
    // Queues the highlighted picture when selected, otherwise the normal one.
    void draw(DirectGraphics& graphics) override;

    void setSelected(bool on) { selected = on; }
    bool isSelected() const { return selected; }
    material::Texture* getSelectedTexture() const { return selectedTexture.get(); }

  private:
    bool selected = false;
    std::unique_ptr<material::Texture> selectedTexture;
};

}  // namespace veru::dxt
