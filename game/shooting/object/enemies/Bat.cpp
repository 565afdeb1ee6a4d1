#include "game/shooting/object/enemies/Bat.h"

#include "engine/graphics/Color.h"
#include "engine/material/Texture.h"
#include "game/shooting/object/EnemyDifficulty.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/enemies/BatPatterns.h"
#include "game/shooting/object/patterns/ISkill.h"

namespace ml::shooting::object {

namespace {

constexpr const char16_t* damagePicture = u"img/kintubat1_damage.ytx";
constexpr const char16_t* explosionPicture = u"img/arc_bomb.ytx";
constexpr int batCell = 32;
constexpr int batCells = 4;
constexpr int explosionCell = 64;
constexpr int explosionCells = 12;
const veru::dxt::Color explosionKey = veru::dxt::Color::fromPacked(0xFF000000u);
constexpr int hitMargin = 3;
constexpr int animationPeriod = 10;
constexpr int power = 1;

}  // namespace

Bat::Bat(int field_width, int field_height, int number_)
    : EnemyObject(field_width, field_height), number(number_), row(batRow(number_)) {
    hp = row.hp;
    score = row.score;
}

Bat::~Bat() = default;

const char* Bat::nameOf(int number) {
    return number >= 1 && number <= batCount ? batRow(number).name : "";
}

void Bat::reset() {
    speed = base_speed;
}

void Bat::loadTextures(VideoDevice* loader) {
    veru::YString body(u"img/kintubat");
    body.append(number).append(u".ytx");
    adoptTexture(loadSheet(loader, body, batCells, batCell, batCell));
    damage_texture = loadSheet(loader, damagePicture, batCells, batCell, batCell);
    explosion_texture = loadSheet(loader, explosionPicture, explosionCells, explosionCell,
                                  explosionCell, explosionKey);
    bullet_texture = loadPicture(loader, row.bulletPicture);
    for (std::size_t i = 0; i < row.patterns.size(); ++i) {
        const char16_t* own = row.patterns[i].picture;
        pattern_textures[i] = own ? loadPicture(loader, own) : nullptr;
    }
    setHitAreaFromTexture(hitMargin, hitMargin);
}

void Bat::applyLevel(int level_) {
    difficulty = difficultyOf(level_);
    base_speed = speed = row.speed;
    // Hit points from the constructor's number, so a second setLevel does
    // not halve or raise them twice.
    hp = row.hp;
    if (difficulty == 0) {
        hp >>= 1;
    } else if (difficulty == 2 && row.hardBonus) {
        hp += 2;
    }
    buildSkills();
}

void Bat::buildSkills() {
    skills.clear();
    skill_patterns.clear();
    for (const BatPattern& pattern : row.patterns) {
        if (pattern.kind == BatPatternKind::none || row.group == BatGroup::periodic) {
            continue;  // a periodic bat makes its fire balls as it flies
        }
        const int copies = pattern.copies.at(difficulty);
        for (int copy = 0; copy < copies; ++copy) {
            skills.push_back(makeBatPattern(pattern, copy, difficulty, field_width, field_height));
            skill_patterns.push_back(&pattern);
        }
    }
}

void Bat::countMove() {
    countFrame();
    countMoveFrame();
    if (frame % animationPeriod == 0) {
        animate();
    }
}

Texture* Bat::pictureFor(const BatPattern& pattern) const {
    const auto index = static_cast<std::size_t>(&pattern - row.patterns.data());
    if (index < pattern_textures.size() && pattern_textures[index]) {
        return pattern_textures[index].get();
    }
    return bullet_texture.get();
}

void Bat::fireSkill(std::size_t index, int target_x, int target_y) {
    if (index >= skills.size()) {
        return;
    }
    const BatPattern& pattern = patternOf(index);
    int tx = -1;
    int ty = -1;
    if (pattern.aim == BatAim::remembered) {
        tx = aim_x;
        ty = aim_y;
    } else if (pattern.aim == BatAim::current) {
        tx = target_x;
        ty = target_y;
    }
    // A laser leaves from the bat's left hit edge.
    const int from_x = pattern.kind == BatPatternKind::laser ? x + hit_left : x;
    ISkill& skill = *skills[index];
    skill.fire(pictureFor(pattern), from_x, y, tx, ty, pattern.marginX, pattern.marginY);
    skill.setPower(power);
    skill.launchAll();
}

void Bat::fireAll(int target_x, int target_y) {
    for (std::size_t i = 0; i < skills.size(); ++i) {
        fireSkill(i, target_x, target_y);
    }
}

std::size_t Bat::laserIndex() const {
    for (std::size_t i = 0; i < skill_patterns.size(); ++i) {
        if (skill_patterns[i]->kind == BatPatternKind::laser) {
            return i;
        }
    }
    return skills.size();
}

}  // namespace ml::shooting::object
