#include "engine/window/SelectComponent.h"

#include "engine/material/Texture.h"

namespace veru::dxt {

SelectComponent::SelectComponent() = default;

SelectComponent::~SelectComponent() = default;

void SelectComponent::loadSelectedImage(platform::VideoDevice* device, const YString& path) {
    selectedTexture.reset();
    selectedTexture = loadPicture(device, path);
    width = selectedTexture->getCellWidth();
    height = selectedTexture->getCellHeight();
}

void SelectComponent::draw(DirectGraphics& graphics) {
    queue(graphics, selected ? selectedTexture.get() : getTexture(), x, y);
}

}  // namespace veru::dxt
