#include "game/shooting/object/items/ItemObject.h"

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"

namespace ml::shooting::object {

ItemObject::ItemObject(int width, int height) : ShootingObject(KIND_ITEM, width, height, true) {}

void ItemObject::draw(Graphics& graphics) {
    if (texture != nullptr) {
        graphics.queueSprite(texture, x, y);
    }
}

bool ItemObject::update() {
    if (state == STATE_ACTIVE) {
        x -= 1;
        checkOutOfField();
        return false;
    }
    return state == STATE_GONE;
}

void ItemObject::loadPictureWithMargins(VideoDevice* device, const veru::YString& path,
                                        int margin_x, int margin_y) {
    adoptTexture(loadPicture(device, path));
    setHitAreaFromTexture(margin_x, margin_y);
}

}  // namespace ml::shooting::object
