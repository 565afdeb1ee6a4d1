#include "tools/playtest/FieldReader.h"

#include "game/ShootingScene.h"
#include "game/shooting/object/Boss.h"
#include "game/shooting/object/EnemyObject.h"
#include "game/shooting/object/ItemObject.h"
#include "game/shooting/object/StraightAttack.h"
#include "game/shooting/object/Vuzez.h"

namespace ml::playtest {

using namespace ml::shooting::object;

namespace {

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
    const auto before = last.find(&object);
    if (before != last.end()) {
        t.vx = object.getX() - before->second.x;
        t.vy = object.getY() - before->second.y;
    }
    seen[&object] = {object.getX(), object.getY()};
    view.threats.push_back(t);
}

void FieldReader::addAttacks(const CharaObject& chara, FieldView& view) {
    for (const auto& skill : chara.getSkills()) {
        if (skill->getKind() != KIND_ENEMY_ATTACK)
            continue;
        for (const auto& attack : skill->getAttacks()) {
            if (attack->getState() != STATE_ACTIVE)
                continue;
            if (const auto* straight = dynamic_cast<const StraightAttack*>(attack.get())) {
                Threat t = threatOf(*straight);
                t.vx = straight->getVx();
                t.vy = straight->getVy();
                t.ax = straight->getAx();
                t.ay = straight->getAy();
                view.threats.push_back(t);
            } else {
                addGuessed(*attack, view);
            }
        }
    }
}

FieldView FieldReader::read(const ShootingScene& scene) {
    FieldView view;
    seen.clear();
    const Vuzez* player = scene.getPlayer();
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
        if (isHittableState(boss->getState())) {
            for (const HitPart& part : boss->getHitParts()) {
                Threat t;
                t.x = boss->getX() + part.part_x;
                t.y = boss->getY() + part.part_y;
                t.left = part.left;
                t.top = part.top;
                t.right = part.right;
                t.bottom = part.bottom;
                const auto before = last.find(&part);
                if (before != last.end()) {
                    t.vx = t.x - before->second.x;
                    t.vy = t.y - before->second.y;
                }
                seen[&part] = {static_cast<int>(t.x), static_cast<int>(t.y)};
                view.threats.push_back(t);
                view.targets.push_back({static_cast<int>(t.x) + (part.left + part.right) / 2,
                                        static_cast<int>(t.y) + (part.top + part.bottom) / 2,
                                        true});
            }
        }
    }
    for (const auto* items :
         {&scene.getChanceItems(), &scene.getKintubaItems(), &scene.getLevelUpItems()}) {
        for (const auto& item : *items) {
            if (item->getState() == STATE_ACTIVE)
                view.pickups.push_back({item->getX(), item->getY()});
        }
    }
    last.swap(seen);
    return view;
}

}  // namespace ml::playtest
