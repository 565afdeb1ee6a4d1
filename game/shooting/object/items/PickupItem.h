#pragma once
// PickupItem: what every pick-up shares on top of ItemObject (which waits,
// drifts, draws and vanishes): the picture, the hit margins and the sound of
// its kind (PickupItemTable.h).
//
// Ownership: owns its picture; the sound is borrowed from the sound manager.
// Thread: main thread only.
// Failure: loadTexture lets the loader's exceptions through (a missing
// picture is FileNotFoundException); a sound that is not loaded is not played.

#include "game/shooting/object/items/ItemObject.h"
#include "game/shooting/object/items/PickupItemTable.h"

namespace ml::shooting::object {

class PickupItem : public ItemObject {
  public:
    ~PickupItem() override;

    void loadSound(SoundManger& manager) override;
    // The picture (no colour key) and the hit area from it with the margins.
    void loadTexture(VideoDevice* device) override;

    PickupKind getPickupKind() const { return pickup; }
    const PickupLook& getLook() const { return pickupLook(pickup); }

  protected:
    PickupItem(PickupKind kind, int fieldWidth, int fieldHeight);

  private:
    PickupKind pickup;
};

}  // namespace ml::shooting::object
