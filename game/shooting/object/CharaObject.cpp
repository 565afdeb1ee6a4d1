#include "game/shooting/object/CharaObject.h"

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"
#include "engine/sound/SoundManger.h"

namespace ml::shooting::object {

CharaObject::CharaObject(int kind_, int width, int height)
    : ShootingObject(kind_, width, height, true) {}

CharaObject::~CharaObject() = default;

void CharaObject::kill() {
    playSound(sound);
    clearFrame();
}

void CharaObject::draw(Graphics& graphics) {
    if (texture != nullptr) {
        graphics.queueSprite(texture, x, y);
    }
}

bool CharaObject::updateSkills(int target_x, int target_y) {
    bool gone = true;
    for (auto& skill : skills) {
        skill->update(target_x, target_y);
        gone = skill->allGone() && gone;
    }
    return gone;
}

void CharaObject::drawSkills(Graphics& graphics) {
    for (auto& skill : skills) {
        skill->draw(graphics);
    }
}

bool CharaObject::hitBySkills(ShootingObject& other) {
    if (!isHittableState(other.getState())) {
        return false;
    }
    for (auto& skill : skills) {
        if (skill->hitTarget(other)) {
            return true;
        }
    }
    return false;
}

bool CharaObject::levelUp() {
    if (level < LEVEL_MIN || level >= LEVEL_MAX) {
        return false;
    }
    level += 1;
    return true;
}

bool CharaObject::levelDown() {
    if (level <= LEVEL_MIN || level > LEVEL_MAX) {
        return false;
    }
    level -= 1;
    return true;
}

void CharaObject::updateFreeSkills() {
    // By index: a skill is destroyed only after its own update returned, and
    // the one after it then takes its index.
    for (std::size_t i = 0; i < skills.size();) {
        skills[i]->updateFree();
        if (skills[i]->allGone()) {
            skills.erase(skills.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void CharaObject::loadStartSound(SoundManger& manager, const veru::YString& name) {
    start_sound = manager.getSound(name);
}

void CharaObject::loadDeadSound(SoundManger& manager, const veru::YString& name) {
    dead_sound = manager.getSound(name);
}

void CharaObject::setExplosionTexture(std::unique_ptr<Texture> picture) {
    explosion_texture = std::move(picture);
}

void CharaObject::setBulletTexture(std::unique_ptr<Texture> picture) {
    bullet_texture = std::move(picture);
}

}  // namespace ml::shooting::object
