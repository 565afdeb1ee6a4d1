#pragma once
// ItemObject: a pick-up an enemy drops where it dies. It waits off the field
// in STATE_STANDBY until the carrying enemy's kill puts it at the enemy's
// centre (STATE_ACTIVE); then it drifts left one pixel a frame until picked
// up (the scene calls kill) or a full picture beyond the field.
//
// Ownership: owns its picture; the scene owns the item (enemies only
// borrow it). Thread: main thread only.
// Failure: loadTexture lets the loader's exceptions through.

#include "game/shooting/object/ShootingObject.h"

namespace ml::shooting::object {

class ItemObject : public ShootingObject {
  public:
    ItemObject(int field_width, int field_height);

    void reset() override {}
    // STATE_GONE.
    void kill() override { state = STATE_GONE; }
    // The whole picture centred at (x, y) in every state (a waiting item
    // sits outside the field).
    void draw(Graphics& graphics) override;
    virtual void loadSound(SoundManger& manager) = 0;
    virtual void loadTexture(VideoDevice* device) = 0;
    // One frame; true once STATE_GONE (the scene then deletes the item).
    virtual bool update();

  protected:
    // Loads `path` as the picture (no colour key) and sets the hit area
    // from it with the margins.
    void loadPictureWithMargins(VideoDevice* device, const veru::YString& path, int margin_x,
                                int margin_y);

    using ShootingObject::loadSound;
};

}  // namespace ml::shooting::object
