#include "game/shooting/object/ShootingObject.h"

#include "engine/exceptions/NullPointerException.h"
#include "engine/material/Texture.h"
#include "engine/sound/ISound.h"
#include "engine/sound/SoundManger.h"

namespace ml::shooting::object {

namespace {
std::uint64_t spawned = 0;  // objects made so far (main thread only)
}  // namespace

ShootingObject::ShootingObject(int kind_, int width, int height, bool own)
    : kind(kind_),
      own_texture(own),
      field_width(width),
      field_height(height),
      spawn_id(++spawned) {}

ShootingObject::~ShootingObject() = default;

bool ShootingObject::kindsMayCollide(int a, int b) {
    if (a == b) {
        return false;
    }
    auto pair = [a, b](int p, int q) { return (a == p && b == q) || (a == q && b == p); };
    return !pair(KIND_PLAYER, KIND_PLAYER_ATTACK) && !pair(KIND_ENEMY, KIND_ENEMY_ATTACK);
}

bool ShootingObject::isHit(const ShootingObject& other) const {
    return collides(other);
}

void ShootingObject::damage(int amount) {
    hp -= amount;
    if (hp < 0) {
        hp = 0;
    }
    if (hp == 0) {
        state = STATE_DYING;
        kill();
    }
}

void ShootingObject::setHitArea(int left, int top, int right, int bottom) {
    hit_left = left;
    hit_top = top;
    hit_right = right;
    hit_bottom = bottom;
}

void ShootingObject::setHitAreaFromTexture(int margin_x, int margin_y) {
    if (texture == nullptr) {
        throw veru::excp::NullPointerException(u"テクスチャがセットされていません。");
    }
    int half_w = (texture->getCellWidth() >> 1) - margin_x;
    int half_h = (texture->getCellHeight() >> 1) - margin_y;
    setHitArea(-half_w, -half_h, half_w, half_h);
}

void ShootingObject::countFrame(int n) {
    frame += n;
    if (frame > FRAME_LIMIT) {
        frame = 0;
    }
}

void ShootingObject::checkOutOfField() {
    int w = texture != nullptr ? texture->getCellWidth() : 0;
    int h = texture != nullptr ? texture->getCellHeight() : 0;
    if (x + w < 0 || x - w > field_width || y + h < 0 || y - h > field_height) {
        state = STATE_GONE;
    }
}

void ShootingObject::loadSound(SoundManger& manager, const veru::YString& name) {
    sound = manager.getSound(name);
}

void ShootingObject::playSound(ISound* s, bool loop) {
    if (s != nullptr) {
        s->play(loop);
    }
}

void ShootingObject::stopSound(ISound* s) {
    if (s != nullptr) {
        s->stop();
    }
}

std::unique_ptr<Texture> ShootingObject::loadPicture(VideoDevice* device, const veru::YString& path,
                                                     veru::dxt::Color key) {
    auto picture = std::make_unique<Texture>();
    picture->load(path, device, key);
    return picture;
}

std::unique_ptr<Texture> ShootingObject::loadSheet(VideoDevice* device, const veru::YString& path,
                                                   int count, int cell_width, int cell_height,
                                                   veru::dxt::Color key) {
    auto picture = std::make_unique<Texture>();
    picture->loadSheet(path, device, count, cell_width, cell_height, key);
    return picture;
}

void ShootingObject::setTexture(Texture* picture) {
    if (picture != texture_owned.get()) {
        texture_owned.reset();
    }
    texture = picture;
}

void ShootingObject::adoptTexture(std::unique_ptr<Texture> picture) {
    texture_owned = std::move(picture);
    texture = texture_owned.get();
}

}  // namespace ml::shooting::object
