#include "game/shooting/object/enemies/EnemyObject.h"

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"
#include "game/shooting/object/items/ItemObject.h"

namespace ml::shooting::object {

EnemyObject::EnemyObject(int width, int height) : CharaObject(KIND_ENEMY, width, height) {}

EnemyObject::~EnemyObject() = default;

void EnemyObject::setLevel(int value) {
    level = value;
    applyLevel(value);
}

void EnemyObject::damage(int amount) {
    CharaObject::damage(amount);
    if (isHittableState(state)) {
        flash_alpha = FLASH_START;
    }
}

void EnemyObject::kill() {
    CharaObject::kill();
    if (item != nullptr) {
        item->setPosition(x, y);
        item->setState(STATE_ACTIVE);
        item = nullptr;  // handed over: the scene may delete it from now on
    }
    cancelUnfiredPatterns();
}

void EnemyObject::cancelUnfiredPatterns() {
    // Bullets never launched would keep the enemy alive for nothing: the
    // scene deletes an enemy only once every bullet of it is gone, and a
    // dead or departed enemy fires no more.
    for (auto& skill : skills) {
        skill->cancelUnlaunched();
    }
}

void EnemyObject::draw(Graphics& graphics) {
    if (state == STATE_STANDBY) {
        return;
    }
    drawSkills(graphics);
    if (state == STATE_ACTIVE) {
        CharaObject::draw(graphics);
    } else if (state == STATE_DYING && explosion_texture != nullptr) {
        graphics.queueSprite(explosion_texture.get(), x, y);
    }
    if (damage_texture != nullptr && flash_alpha > 0 && state != STATE_GONE) {
        damage_texture->setAlpha(flash_alpha);
        graphics.queueSprite(damage_texture.get(), x, y);
    }
}

void EnemyObject::loadSounds(SoundManger& manager) {
    loadSound(manager, u"sound/smash.wav");
}

void EnemyObject::animate() {
    if (texture != nullptr) {
        texture->nextFrame();
    }
    if (damage_texture != nullptr) {
        damage_texture->nextFrame();
    }
}

void EnemyObject::appear(int px, int py) {
    setPosition(px, py);
    state = STATE_ACTIVE;
}

bool EnemyObject::update(int target_x, int target_y) {
    if (state == STATE_STANDBY) {
        return false;
    }
    bool bullets_gone = updateSkills(target_x, target_y);
    if (flash_alpha >= 0) {
        flash_alpha -= FLASH_STEP;
    }
    if (state == STATE_ACTIVE) {
        move(target_x, target_y);
        checkOutOfField();
        if (state == STATE_GONE) {
            if (item != nullptr) {
                item->kill();  // flew off alive: its item is never shown
                item = nullptr;
            }
            // Left the field, perhaps before it ever fired: what it never
            // fired it never will, and must not hold the stage.
            cancelUnfiredPatterns();
        }
    } else if (state == STATE_DYING) {
        countFrame();
        // No explosion picture: nothing to play, the enemy is simply gone.
        if (explosion_texture == nullptr) {
            state = STATE_GONE;
        } else if (frame % EXPLOSION_STEP == 0 && explosion_texture->nextFrame()) {
            state = STATE_GONE;
        }
    }
    return state == STATE_GONE && bullets_gone;
}

void EnemyObject::countMoveFrame(int n) {
    move_frame += n;
    if (move_frame > FRAME_LIMIT) {
        move_frame = 0;
    }
}

void EnemyObject::countMoveFrameDown(int n) {
    move_frame -= n;
    if (move_frame < -FRAME_LIMIT) {
        move_frame = 0;
    }
}

void EnemyObject::setDamageTexture(std::unique_ptr<Texture> picture) {
    damage_texture = std::move(picture);
}

}  // namespace ml::shooting::object
