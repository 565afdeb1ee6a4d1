#include "engine/adventure/TalkArea.h"

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"

namespace veru::adv {

TalkArea::TalkArea() = default;
TalkArea::~TalkArea() = default;

void TalkArea::load(platform::VideoDevice* device, const YString& path) {
    auto picture = std::make_unique<dxt::material::Texture>();
    picture->load(path, device);
    window = std::move(picture);
}

bool TalkArea::update(int) {
    if (mode == kAppearing) {
        counter += 10;
        if (counter <= 230)
            return false;
        if (window)
            window->setAlpha(230);
        counter = 0;
        mode = kShown;
        return true;
    }
    if (mode == kDisappearing) {
        counter += 10;
        if (counter <= 230)
            return false;
        counter = 0;
        mode = kHidden;
        return true;
    }
    return true;
}

void TalkArea::draw(dxt::DirectGraphics& graphics) {
    if (!window)
        return;
    switch (mode) {
        case kAppearing:
            window->setAlpha(counter);
            graphics.drawSprite(window.get(), x, y);
            break;
        case kDisappearing:
            window->setAlpha(255 - counter);
            graphics.drawSprite(window.get(), x, y);
            break;
        case kShown:
            graphics.drawSprite(window.get(), x, y);
            if (face)
                graphics.drawSprite(face, x + faceOffsetX, y + faceOffsetY);
            break;
        default:
            break;
    }
}

}  // namespace veru::adv
