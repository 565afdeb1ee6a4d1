#pragma once
// EnemyObject: an enemy (and the base of the bosses). It waits in
// STATE_STANDBY until appear puts it on the field, moves and fires while
// STATE_ACTIVE, flashes for a few frames when hit, explodes when its hit
// points are gone and drops the item it carries. update reports it finished
// only when it is gone and every bullet it fired is gone too, so bullets in
// flight outlive their enemy; bullets it never launched are cancelled when
// it dies or leaves the field, so they cannot keep it (and the stage) waiting.
//
// Ownership: owns the damage texture (and, as a character, its skills and
// other pictures); borrows the carried item, which belongs to the scene. The
// enemy lets go of the item (forgets the pointer) once it dropped it or
// killed it, so the scene may delete the item from then on.
// Thread: main thread only.

#include <memory>

#include "game/shooting/object/CharaObject.h"

namespace ml::shooting::object {

class ItemObject;

class EnemyObject : public CharaObject {
  public:
    // Alpha the damage flash starts from and loses per frame.
    static constexpr int FLASH_START = 100;
    static constexpr int FLASH_STEP = 20;
    // The explosion advances one cell every this many frames.
    static constexpr int EXPLOSION_STEP = 3;

    EnemyObject(int field_width, int field_height);
    ~EnemyObject() override;

    void reset() override {}
    // Stores the level and calls applyLevel.
    void setLevel(int value) override;
    // As ShootingObject::damage; an enemy still hittable then starts its flash.
    void damage(int amount) override;
    // Plays `sound`, drops the carried item at (x, y), cancels the bullets
    // never launched.
    void kill() override;
    void draw(Graphics& graphics) override;
    // `sound` = "sound/smash.wav".
    void loadSounds(SoundManger& manager) override;

    // The enemy's numbers for the difficulty.
    virtual void applyLevel(int value) = 0;
    // One frame of movement and shooting while active.
    virtual void move(int target_x, int target_y) = 0;
    // The texture and the damage texture one cell on.
    virtual void animate();
    // On the field at (x, y), STATE_ACTIVE.
    virtual void appear(int px, int py);
    // One frame; true once gone with every bullet gone (delete it then).
    virtual bool update(int target_x, int target_y);

    void countMoveFrame(int n = 1);
    // Counts down by n; below -FRAME_LIMIT the counter becomes 0.
    void countMoveFrameDown(int n = 1);
    void clearMoveFrame() { move_frame = 0; }

    int getScore() const { return score; }
    void setScore(int value) { score = value; }
    int getMoveFrame() const { return move_frame; }
    void setMoveFrame(int value) { move_frame = value; }
    int getFlashAlpha() const { return flash_alpha; }
    Texture* getDamageTexture() const { return damage_texture.get(); }
    void setDamageTexture(std::unique_ptr<Texture> picture);
    ItemObject* getItem() const { return item; }
    void setItem(ItemObject* carried) { item = carried; }

  protected:
    // Cancels every bullet not launched yet (killed, or gone off the field).
    void cancelUnfiredPatterns();

    int score = 0;
    int move_frame = 0;
    int flash_alpha = -1;
    std::unique_ptr<Texture> damage_texture;
    ItemObject* item = nullptr;
};

}  // namespace ml::shooting::object
