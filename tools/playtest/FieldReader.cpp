#include "tools/playtest/FieldReader.h"

#include <algorithm>

#include "game/ShootingScene.h"
#include "game/StagePhase.h"
#include "game/shooting/object/attacks/LazerObject.h"
#include "game/shooting/object/attacks/StraightAttack.h"
#include "game/shooting/object/bosses/Boss.h"
#include "game/shooting/object/enemies/EnemyObject.h"
#include "game/shooting/object/items/ItemObject.h"
#include "game/shooting/object/patterns/EffectSkill.h"
#include "game/shooting/object/players/PlayerCharacter.h"
#include "game/shooting/object/players/Vovizovar.h"

namespace ml::playtest {

using namespace ml::shooting::object;

namespace {

// How unsure a step guessed from the last frame is, in pixels per frame.
constexpr double kGuessSpread = 0.0;

Threat threatOf(const ShootingObject& o) {
    Threat t;
    t.x = o.getX();
    t.y = o.getY();
    t.left = o.getHitLeft();
    t.top = o.getHitTop();
    t.right = o.getHitRight();
    t.bottom = o.getHitBottom();
    return t;
}

}  // namespace

void FieldReader::addGuessed(const ShootingObject& object, FieldView& view) {
    Threat t = threatOf(object);
    t.spread = kGuessSpread;
    push({object.getSpawnId()}, t, true, view);
}

void FieldReader::addBox(Key key, const HitRect& box, FieldView& view) {
    Threat t;
    t.x = (box.left + box.right) / 2;
    t.y = (box.top + box.bottom) / 2;
    t.left = box.left - static_cast<int>(t.x);
    t.right = box.right - static_cast<int>(t.x);
    t.top = box.top - static_cast<int>(t.y);
    t.bottom = box.bottom - static_cast<int>(t.y);
    t.spread = kGuessSpread;
    push(key, t, true, view);
}

void FieldReader::push(Key key, Threat& t, bool guessStep, FieldView& view) {
    const auto before = last.find(key);
    if (before != last.end()) {
        if (guessStep) {
            t.vx = t.x - before->second.x;
            t.vy = t.y - before->second.y;
        }
        t.age = before->second.age + 1;
    }
    seen[key] = {t.x, t.y, t.age};
    view.threats.push_back(t);
}

void FieldReader::addLaser(const LazerObject& laser, FieldView& view) {
    Threat t;
    const int thickness = std::max(1, laser.getThicknessMax());
    const int top = laser.getY() + laser.getSavedTop() * thickness;
    const int bottom = laser.getY() + laser.getSavedBottom() * thickness;
    const int left = laser.getDirection() >= 1 ? 0 : laser.getX() + laser.getHitLeft();
    const int right = laser.getDirection() >= 1 ? laser.getX() + laser.getHitRight() : view.width;
    t.x = (left + right) / 2;
    t.y = (top + bottom) / 2;
    t.left = left - static_cast<int>(t.x);
    t.right = right - static_cast<int>(t.x);
    t.top = top - static_cast<int>(t.y);
    t.bottom = bottom - static_cast<int>(t.y);
    push({laser.getSpawnId()}, t, false, view);
}

void FieldReader::addAttacks(const CharaObject& chara, FieldView& view) {
    int index = -1;
    for (const auto& skill : chara.getSkills()) {
        ++index;
        if (skill->getKind() != KIND_ENEMY_ATTACK)
            continue;
        // Fire balls and blades are one box of the pattern's own.
        if (const auto* effect = dynamic_cast<const EffectSkill*>(skill.get())) {
            if (effect->getState() == STATE_ACTIVE)
                addBox({chara.getSpawnId(), index}, effect->getHitRect(), view);
            continue;
        }
        for (const auto& attack : skill->getAttacks()) {
            // A laser is seen whole from the moment it is ready: the beam
            // reaches the field's edge within a few frames and swells to
            // its full thickness, so only its row is safe or not.
            if (const auto* laser = dynamic_cast<const LazerObject*>(attack.get())) {
                if (laser->getState() == STATE_ACTIVE || laser->getState() == STATE_STANDBY)
                    addLaser(*laser, view);
                continue;
            }
            if (attack->getState() != STATE_ACTIVE)
                continue;
            if (const auto* straight = dynamic_cast<const StraightAttack*>(attack.get())) {
                Threat t = threatOf(*straight);
                t.vx = straight->getVx();
                t.vy = straight->getVy();
                t.ax = straight->getAx();
                t.ay = straight->getAy();
                push({straight->getSpawnId()}, t, false, view);
            } else {
                addGuessed(*attack, view);
            }
        }
    }
}

int FieldReader::bobbedY(int y, int vy, int low, int high, int frames) {
    for (int i = 0; i < frames; ++i) {
        y += vy;
        if ((vy > 0 && y > high) || (vy < 0 && y < low))
            vy = -vy;
    }
    return y;
}

FieldView FieldReader::read(const ShootingScene& scene) {
    FieldView view;
    const PlayerCharacter* player = scene.getPlayer();
    if (!player) {
        last.clear();
        return view;
    }
    view.width = player->getFieldWidth();
    view.height = player->getFieldHeight();
    view.x = player->getX();
    view.y = player->getY();
    view.left = player->getHitLeft();
    view.top = player->getHitTop();
    view.right = player->getHitRight();
    view.bottom = player->getHitBottom();
    view.bossFight =
        scene.getPhase() == stage::kBossApproach || scene.getPhase() == stage::kBossBattle;
    if (const auto* hotaru = dynamic_cast<const Vovizovar*>(player)) {
        view.weapon = hotaru->getWeapon();
        view.wantedWeapon = scene.getHeroine().autopilotWeapon;
        view.speed = view.slowSpeed = hotaru->getSpeed();
    }
    if (player->getState() == STATE_BOMB)
        view.speed = view.slowSpeed = 1;

    for (const auto& enemy : scene.getActiveEnemies()) {
        addAttacks(*enemy, view);
        if (!isHittableState(enemy->getState()))
            continue;
        addGuessed(*enemy, view);
        view.targets.push_back({enemy->getX(), enemy->getY(), false});
    }
    if (const Boss* boss = scene.getBoss()) {
        addAttacks(*boss, view);
        const int vy = bossY ? boss->getY() - *bossY : 0;
        bossY = boss->getY();
        if (isHittableState(boss->getState())) {
            // Its bodies hurt; the shots go for its tallest part, led to
            // where the bobbing boss will be when they get there.
            const HitPart* aim = nullptr;
            int index = -1;
            for (const HitPart& part : boss->getHitParts()) {
                ++index;
                const int ax = boss->getX() + part.part_x;
                const int ay = boss->getY() + part.part_y;
                const HitRect box{ax + part.left, ay + part.top, ax + part.right, ay + part.bottom};
                addBox({boss->getSpawnId(), index}, box, view);
                if (!aim || part.bottom - part.top > aim->bottom - aim->top)
                    aim = &part;
            }
            if (aim) {
                const int ax = boss->getX() + aim->part_x + (aim->left + aim->right) / 2;
                const int flight = std::max(0, ax - (view.x + view.right)) / kShotSpeed;
                const int h = boss->getTexture() ? boss->getTexture()->getHeight() : 0;
                const int y =
                    vy == 0 ? boss->getY() : bobbedY(boss->getY(), vy, h, view.height - h, flight);
                view.targets.push_back({ax, y + aim->part_y + (aim->top + aim->bottom) / 2, true});
            }
        }
    } else {
        bossY.reset();
    }
    for (const auto* items :
         {&scene.getChanceItems(), &scene.getKintubaItems(), &scene.getLevelUpItems()}) {
        for (const auto& item : *items) {
            if (item->getState() == STATE_ACTIVE)
                view.pickups.push_back({item->getX(), item->getY()});
        }
    }
    endRead();
    return view;
}

}  // namespace ml::playtest
