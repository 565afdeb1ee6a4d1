#include "engine/window/TextureComponent.h"

#include "engine/exceptions/FileNotFoundException.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"

namespace veru::dxt {

TextureComponent::TextureComponent() = default;

TextureComponent::~TextureComponent() = default;

std::unique_ptr<material::Texture> TextureComponent::loadPicture(platform::VideoDevice* device,
                                                                 const YString& path) {
    auto made = std::make_unique<material::Texture>();
    made->load(path, device, Color::fromPacked(0));
    return made;
}

void TextureComponent::loadImage(platform::VideoDevice* device, const YString& path) {
    setTexture(nullptr, false);
    std::unique_ptr<material::Texture> made = loadPicture(device, path);
    width = made->getCellWidth();
    height = made->getCellHeight();
    setTexture(made.release(), true);
}

void TextureComponent::loadText(platform::VideoDevice* device, const YString& text) {
    auto made = std::make_unique<material::Texture>();
    DirectGraphics::drawAntiAliasingString(device, made.get(), text, font, foreground.pack(), 0);
    width = made->getCellWidth();
    height = made->getCellHeight();
    setTexture(made.release(), true);
}

void TextureComponent::setTexture(material::Texture* t, bool owns) {
    // The texture it already owns, given again, stays owned: resetting the
    // owner with its own pointer would delete the picture still in use.
    if (t != owned.get()) {
        owned.reset(owns ? t : nullptr);
    }
    texture = t;
}

void TextureComponent::queue(DirectGraphics& graphics, material::Texture* t, int x, int y) {
    if (t) {
        graphics.queueSprite(t, x, y, 1.0f, 1.0f, 0, t->getCellWidth() >> 1,
                             t->getCellHeight() >> 1);
    }
}

void TextureComponent::draw(DirectGraphics& graphics) {
    queue(graphics, texture, x, y);
}

}  // namespace veru::dxt
