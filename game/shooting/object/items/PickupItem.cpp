#include "game/shooting/object/items/PickupItem.h"

namespace ml::shooting::object {

PickupItem::PickupItem(PickupKind kind, int fieldWidth, int fieldHeight)
    : ItemObject(fieldWidth, fieldHeight), pickup(kind) {}

PickupItem::~PickupItem() = default;

void PickupItem::loadSound(SoundManger& manager) {
    ItemObject::loadSound(manager, getLook().sound);
}

void PickupItem::loadTexture(VideoDevice* device) {
    loadPictureWithMargins(device, getLook().picture, getLook().marginX, getLook().marginY);
}

}  // namespace ml::shooting::object
