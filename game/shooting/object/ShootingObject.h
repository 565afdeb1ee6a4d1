#pragma once
// ShootingObject: the base of everything that moves in the play field — the
// player, enemies, bosses, single bullets and items.
//
// Geometry is integer: (x, y) is the object's centre in field pixels, the
// hit area four offsets around it. Collision follows the kind rules (an
// object never hits its own kind, the player never its own bullets, enemies
// never enemy bullets) and only hits another object that is active or in its
// pinch phase.
//
// Ownership: the texture is owned when given with adoptTexture (objects that
// load their own pictures), borrowed when given with setTexture (bullets
// borrow their pattern's picture); a borrowed texture must outlive the
// object. Sounds come from the sound manager and are never owned.
// Thread: main thread only.
// Failure: setHitAreaFromTexture without a texture throws
// NullPointerException "テクスチャがセットされていません。"; loading a missing
// picture lets the loader's FileNotFoundException through.

#include <cstdint>
#include <memory>

#include "engine/core/YString.h"
#include "engine/graphics/Color.h"
#include "game/shooting/object/HitRect.h"
#include "game/shooting/object/ObjectCodes.h"

namespace veru::dxt {
class DirectGraphics;
}
namespace veru::dxt::material {
class Texture;
}
namespace veru::platform {
class VideoDevice;
}
namespace veru::sound {
class ISound;
class SoundManger;
}  // namespace veru::sound

namespace ml::shooting::object {

using Texture = veru::dxt::material::Texture;
using Graphics = veru::dxt::DirectGraphics;
using VideoDevice = veru::platform::VideoDevice;
using ISound = veru::sound::ISound;
using SoundManger = veru::sound::SoundManger;

class ShootingObject {
  public:
    // The frame counters wrap to 0 past this value.
    static constexpr int FRAME_LIMIT = 30000;

    ShootingObject(int kind, int field_width, int field_height, bool own_texture);
    virtual ~ShootingObject();
    ShootingObject(const ShootingObject&) = delete;
    ShootingObject& operator=(const ShootingObject&) = delete;

    // Per-class re-initialisation of pattern state.
    virtual void reset() = 0;
    // Collision with `other`: the kind rules, `other` hittable, strict overlap
    // of the two hit rectangles. The caller checks this object's own state.
    virtual bool isHit(const ShootingObject& other) const;
    virtual void setLevel(int value) { level = value; }
    // Takes `amount` hit points (not below 0); at 0 the state becomes
    // STATE_DYING and kill() runs.
    virtual void damage(int amount);
    // The reaction to hit points reaching 0, or to having to vanish.
    virtual void kill() = 0;
    virtual void draw(Graphics& graphics) = 0;

    // The kind rules alone: whether objects of these kinds may ever collide.
    static bool kindsMayCollide(int a, int b);
    // The kind rules, other's state and the overlap, without a virtual call.
    bool collides(const ShootingObject& other) const {
        return kindsMayCollide(kind, other.kind) && isHittableState(other.state) &&
               getHitRect().overlaps(other.getHitRect());
    }

    void setHitArea(int left, int top, int right, int bottom);
    HitRect getHitRect() const {
        return HitRect{x + hit_left, y + hit_top, x + hit_right, y + hit_bottom};
    }
    // The hit area from one cell of the texture, `margin` pixels inside each edge.
    void setHitAreaFromTexture(int margin_x, int margin_y);

    void countFrame(int n = 1);
    void clearFrame() { frame = 0; }
    // STATE_GONE once a full texture cell beyond any edge of the field.
    void checkOutOfField();

    // Fetches `name` from the sound manager into `sound`.
    void loadSound(SoundManger& manager, const veru::YString& name);

    // Plays a sound unless it is null (never loaded); a sound already playing
    // goes on (sounds never overlap themselves).
    static void playSound(ISound* sound, bool loop = false);
    static void stopSound(ISound* sound);
    // Loads a whole picture / a sheet of `count` cells; FileNotFoundException
    // and the decoder's exceptions pass through.
    static std::unique_ptr<Texture> loadPicture(
        VideoDevice* device, const veru::YString& path,
        veru::dxt::Color key = veru::dxt::Color::fromPacked(0));
    static std::unique_ptr<Texture> loadSheet(
        VideoDevice* device, const veru::YString& path, int count, int cell_width, int cell_height,
        veru::dxt::Color key = veru::dxt::Color::fromPacked(0));

    // A number no other object made in this process has had: objects are
    // numbered in the order they are made, so the same play numbers them
    // the same way. Tools that follow objects from frame to frame key them
    // by it (an address is reused once an object is freed).
    std::uint64_t getSpawnId() const { return spawn_id; }

    int getKind() const { return kind; }
    void setKind(int value) { kind = value; }
    int getState() const { return state; }
    void setState(int value) { state = value; }
    int getLevel() const { return level; }
    int getX() const { return x; }
    int getY() const { return y; }
    void setX(int value) { x = value; }
    void setY(int value) { y = value; }
    void setPosition(int px, int py) {
        x = px;
        y = py;
    }
    int getFieldWidth() const { return field_width; }
    int getFieldHeight() const { return field_height; }
    int getHitLeft() const { return hit_left; }
    int getHitRight() const { return hit_right; }
    int getHitTop() const { return hit_top; }
    int getHitBottom() const { return hit_bottom; }
    int getHp() const { return hp; }
    void setHp(int value) { hp = value; }
    int getFrame() const { return frame; }
    void setFrame(int value) { frame = value; }
    bool ownsTexture() const { return own_texture; }
    Texture* getTexture() const { return texture; }
    // Borrows `picture` (the caller keeps it alive).
    void setTexture(Texture* picture);
    // Takes `picture` over; it is freed with the object.
    void adoptTexture(std::unique_ptr<Texture> picture);
    ISound* getSound() const { return sound; }
    void setSound(ISound* value) { sound = value; }

  protected:
    int kind;
    int state = STATE_STANDBY;
    int level = LEVEL_MIN;
    bool own_texture;
    int x = -1000;
    int y = -1000;
    int field_width;
    int field_height;
    int hit_left = 0;
    int hit_right = 0;
    int hit_top = 0;
    int hit_bottom = 0;
    int hp = 0;
    int frame = 0;
    Texture* texture = nullptr;
    ISound* sound = nullptr;

  private:
    std::uint64_t spawn_id;
    std::unique_ptr<Texture> texture_owned;
};

}  // namespace ml::shooting::object
