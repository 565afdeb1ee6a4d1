#include "game/shooting/object/bosses/Boss.h"

#include <algorithm>

#include "engine/effects/Random.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/sound/SoundManger.h"
#include "game/shooting/object/EnemyDifficulty.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/patterns/EnemyBullets.h"
#include "game/shooting/object/patterns/ISkill.h"
#include "game/shooting/object/patterns/LeadBeam.h"
#include "game/shooting/object/patterns/RoundBullets.h"
#include "game/shooting/object/patterns/Slush.h"

namespace ml::shooting::object {

namespace {

constexpr int explosionCell = 64;
constexpr int explosionCells = 12;
const veru::dxt::Color explosionKey = veru::dxt::Color::fromPacked(0xFF000000u);
constexpr int flashStep = 20;
constexpr int power = 1;
constexpr int explosionCount = 7;
constexpr int explosionCellFrames = 10;
constexpr int explosionSoundGap = 30;
constexpr int animationPeriod = 5;
// The big boss's transformation: the small picture fades by this much a
// frame, the big one waits, rises this fast and descends over this many
// frames.
constexpr int transformFade = 17;
constexpr int transformPause = 30;
constexpr int transformRise = 50;
constexpr int transformDescentFrames = 60;
// Blades, beams and corner fans, the same for every boss.
constexpr int bladeLength = 10;
constexpr int bladeMargin = 40;
constexpr int beamMarginX = 2;
constexpr int beamMarginY = 10;
constexpr int fanMarginX = 2;
constexpr int fanMarginY = 10;
// How far inside the field's edges a big boss keeps its body.
constexpr int bodyMargin = 8;

// `value` moved the least that puts [value + low, value + high] inside
// [margin, size - margin]; centred when it cannot fit.
int keepInside(int value, int low, int high, int size) {
    const int least = bodyMargin - low;
    const int most = size - bodyMargin - high;
    if (least > most) {
        return (size - low - high) / 2;
    }
    return std::clamp(value, least, most);
}

}  // namespace

Boss::Boss(int field_width, int field_height, const BossRow& row_)
    : EnemyObject(field_width, field_height),
      row(&row_),
      pinch_ratio(row_.pinch_ratio),
      extra(row_.extra_every) {
    score = row_.score;
    setLevel(LEVEL_1);
}

// The patterns go first: their attacks borrow this boss's pictures.
Boss::~Boss() {
    skills.clear();
}

int Boss::byLevel(int easy, int normal, int hard) const {
    return difficulty == 0 ? easy : (difficulty == 1 ? normal : hard);
}

bool Boss::isHit(const ShootingObject& other) const {
    const int other_kind = other.getKind();
    if (other_kind == kind || (kind == KIND_ENEMY && other_kind == KIND_ENEMY_ATTACK) ||
        (kind == KIND_PLAYER && other_kind == KIND_PLAYER_ATTACK)) {
        return false;
    }
    if (!isHittableState(other.getState())) {
        return false;
    }
    const HitRect r = other.getHitRect();
    for (const HitPart& part : hit_parts) {
        const int ax = x + part.part_x;
        const int ay = y + part.part_y;
        if (r.left < ax + part.right && ax + part.left < r.right && r.top < ay + part.bottom &&
            ay + part.top < r.bottom) {
            return true;
        }
    }
    return false;
}

void Boss::damage(int amount) {
    EnemyObject::damage(amount);
    if (hp == 0) {
        playSound(dead_sound);
    }
}

void Boss::kill() {
    state = STATE_DYING;
    if (!explosion_sounds.empty()) {
        playSound(explosion_sounds.front());
    }
    explosion_count = 1;
    explosion_first = 0;
    playSound(dead_sound);
    skills.clear();
}

void Boss::applyLevel(int level_) {
    difficulty = difficultyOf(level_);
    hp = byLevel(row->hp);
    max_hp = hp;
    const bool second = state == STATE_CHANGE || state == STATE_PINCH;
    fire_period = byLevel(second ? row->pinch_period : row->period);
}

void Boss::animate() {
    if (battle_texture) {
        battle_texture->nextFrame();
    }
    if (damage_texture) {
        damage_texture->nextFrame();
    }
}

void Boss::appear(int x_, int y_) {
    const int w = texture ? texture->getWidth() : 0;
    setPosition(x_ + w / 2, y_);
    state = STATE_ENTRY;
}

void Boss::start() {
    state = STATE_ACTIVE;
}

bool Boss::update(int target_x, int target_y) {
    std::erase_if(skills, [&](const std::unique_ptr<ISkill>& skill) {
        return skill->update(target_x, target_y);
    });
    if (flash_alpha >= 0) {
        flash_alpha -= flashStep;
    }
    switch (state) {
        case STATE_ENTRY:
            enterStep();
            // A big boss starts its transformation in the frame it arrives.
            if (isBig() && state == STATE_REENTRY) {
                arrivedStep();
            }
            break;
        case STATE_REENTRY:
            arrivedStep();
            break;
        case STATE_ACTIVE:
            move(target_x, target_y);
            break;
        case STATE_CHANGE:
            changeStep();
            break;
        case STATE_PINCH:
            pinchMove(target_x, target_y);
            break;
        case STATE_DYING:
            dyingStep();
            break;
        case STATE_GONE:
            return true;
        default:
            break;
    }
    return false;
}

void Boss::enterStep() {
    countFrame();
    x -= 1;
    if (x < field_width - stop_distance) {
        state = STATE_REENTRY;
        clearFrame();
    }
}

void Boss::arrivedStep() {
    if (isBig()) {
        transformStep();
    } else {
        state = STATE_READY;
    }
}

void Boss::changeStep() {
    const BossChange& change = row->change;
    int to_y = field_height / 2;
    if (change.to == ChangeTo::settled) {
        to_y = bigHeight() / 2 + row->descent;
    } else if (change.to == ChangeTo::pictureMiddle) {
        to_y = bigHeight() / 2;
    }
    fadeMove(keepBodyX(field_width - change.stops_from_edge * stop_distance), keepBodyY(to_y),
             change.fade_step);
}

int Boss::keepBodyX(int x_) const {
    return isBig() ? keepInside(x_, hit_left, hit_right, field_width) : x_;
}

int Boss::keepBodyY(int y_) const {
    return isBig() ? keepInside(y_, hit_top, hit_bottom, field_height) : y_;
}

int Boss::settledY() const {
    return keepBodyY(bigHeight() / 2 + row->descent);
}

void Boss::move(int target_x, int target_y) {
    countFrame();
    if (changeIfPinched()) {
        // The change begins at once: nothing more is fired in this frame.
        return;
    }
    if (row->animates && frame % animationPeriod == 0) {
        animate();
    }
    firstPhase(target_x, target_y);
    if (row->bob_step > 0) {
        bob(row->bob_step);
    }
}

void Boss::pinchMove(int target_x, int target_y) {
    countFrame();
    if (row->animates && frame % animationPeriod == 0) {
        animate();
    }
    secondPhase(target_x, target_y);
}

int Boss::bigHeight() const {
    if (transformed) {
        return big_height;
    }
    return big_texture ? big_texture->getHeight() : 0;
}

void Boss::transformStep() {
    switch (move_frame) {
        case 0:
            countFrame(transformFade);
            if (frame > 255) {
                frame = 255;
            }
            if (texture) {
                texture->setAlpha(255 - frame);
            }
            if (frame == 255) {
                if (big_texture) {
                    big_height = big_texture->getHeight();
                    adoptTexture(std::move(big_texture));
                    transformed = true;
                }
                // The big picture rises from below the field at the post
                // that keeps its body inside.
                x = keepBodyX(x);
                y = 2 * big_height;
                move_frame = 1;
                clearFrame();
            }
            break;
        case 1:
            countFrame();
            if (frame >= transformPause) {
                move_frame = 2;
            }
            break;
        case 2:
            y -= transformRise;
            if (y - big_height / 2 < 0) {
                move_frame = 3;
            }
            break;
        default:
            // At least a pixel a frame, so that a shallow descent still ends.
            y += std::max(1, row->descent / transformDescentFrames);
            if (y >= settledY()) {
                y = settledY();
                state = STATE_READY;
                clearFrame();
                clearMoveFrame();
            }
            break;
    }
}

void Boss::dyingStep() {
    explode(1, 2);
}

const Texture* Boss::shapePicture() const {
    return isBig() && !transformed ? big_texture.get() : texture;
}

void Boss::addHitPart(int px, int py, int left, int top, int right, int bottom) {
    const Texture* picture = shapePicture();
    const int w = picture ? picture->getWidth() : 0;
    const int h = picture ? picture->getHeight() : 0;
    const HitPart part{px - w / 2, py - h / 2, left, right, top, bottom};
    hit_parts.push_back(part);
    // The hit area is the box around every part: patterns fired from a
    // corner of the boss use it, and so does anything asking its rectangle.
    const int part_left = part.part_x + part.left;
    const int part_top = part.part_y + part.top;
    const int part_right = part.part_x + part.right;
    const int part_bottom = part.part_y + part.bottom;
    if (hit_parts.size() == 1) {
        setHitArea(part_left, part_top, part_right, part_bottom);
    } else {
        setHitArea(std::min(hit_left, part_left), std::min(hit_top, part_top),
                   std::max(hit_right, part_right), std::max(hit_bottom, part_bottom));
    }
}

void Boss::bob(int step) {
    if (isBig()) {
        const int low = keepBodyY(y - field_height);
        const int high = keepBodyY(y + field_height);
        if (low < high) {
            sweep(y, moving_down, low, high, step);
            y = std::clamp(y, low, high);
        }
        return;
    }
    const int h = texture ? texture->getHeight() : 0;
    if (moving_down) {
        y += step;
        if (y > field_height - h) {
            moving_down = false;
        }
    } else {
        y -= step;
        if (y < h) {
            moving_down = true;
        }
    }
}

void Boss::sweep(int& value, bool& rising, int low, int high, int step) {
    if (rising) {
        value += step;
        if (value >= high) {
            rising = false;
        }
    } else {
        value -= step;
        if (value <= low) {
            rising = true;
        }
    }
}

void Boss::setupExplosions(VideoDevice* loader, const veru::YString& picture, int min, int max,
                           int count, int step) {
    explosion_offsets.clear();
    explosion_textures.clear();
    for (int i = 0; i < count; ++i) {
        const int dx = veru::dxt::effect2D::randomInt(min, max);
        const int dy = veru::dxt::effect2D::randomInt(min, max);
        explosion_offsets.push_back({dx, dy});
        explosion_textures.push_back(
            loadSheet(loader, picture, explosionCells, explosionCell, explosionCell, explosionKey));
    }
    explosion_step = step;
}

void Boss::setupExplosionSounds(SoundManger& manager, const veru::YString& name, int count,
                                int gap) {
    explosion_sounds.clear();
    for (int i = 0; i < count; ++i) {
        explosion_sounds.push_back(manager.getSound(name));
    }
    explosion_sound_count = count;
    explosion_gap = gap;
    explosion_first = 0;
    explosion_count = 0;
}

bool Boss::pinchTest() {
    if (max_hp <= 0) {
        return false;
    }
    if (static_cast<double>(hp) / static_cast<double>(max_hp) <= pinch_ratio) {
        hp = static_cast<int>(max_hp * pinch_ratio);
        return true;
    }
    return false;
}

void Boss::loadTextures(VideoDevice* loader) {
    const auto load = [loader](const char16_t* path) {
        return path ? loadPicture(loader, path) : nullptr;
    };
    if (row->picture) {
        adoptTexture(load(row->picture));
    }
    battle_texture = load(row->battle);
    damage_texture = load(row->damage);
    change_texture = load(row->change_picture);
    bullet_texture = load(row->bullets);
    setupExplosions(loader, u"img/arc_bomb.ytx", -row->explosion_spread, row->explosion_spread,
                    explosionCount, explosionCellFrames);
    big_texture = load(row->big);
    blade_texture = load(row->blade_picture);
    beam_texture = load(row->beam_picture);
    laser_texture = load(row->laser_picture);
    ring_texture = load(row->ring_picture);
    flare_texture = load(row->flare_picture);
    pan_texture = load(row->pan_picture);
    hit_parts.clear();
    for (const BossPart& p : row->parts) {
        addHitPart(p.px, p.py, -p.half_width, -p.half_height, p.half_width, p.half_height);
    }
}

void Boss::loadSounds(SoundManger& manager) {
    setupExplosionSounds(manager, u"sound/smash.wav", explosionCount, explosionSoundGap);
    if (row->pinch_voice) {
        loadSound(manager, row->pinch_voice);
    }
    if (row->go_voice) {
        loadStartSound(manager, row->go_voice);
    }
    if (row->dead_voice) {
        loadDeadSound(manager, row->dead_voice);
    }
    const auto get = [&manager](const char16_t* name) {
        return name ? manager.getSound(veru::YString(name)) : nullptr;
    };
    bullet_sound = get(row->bullet_sound);
    blade_sound = get(row->blade_sound);
    beam_sound = get(row->beam_sound);
    laser_sound = get(row->laser_sound);
    swing_sound = get(row->swing_sound);
    big_swing_sound = get(row->big_swing_sound);
}

bool Boss::ownsSkill(const ISkill* skill) const {
    return skill != nullptr &&
           std::any_of(skills.begin(), skills.end(),
                       [skill](const std::unique_ptr<ISkill>& own) { return own.get() == skill; });
}

bool Boss::changeIfPinched() {
    if (!pinchTest()) {
        return false;
    }
    state = STATE_CHANGE;
    playSound(sound);
    clearFrame();
    clearMoveFrame();
    fire_period = byLevel(row->pinch_period);
    onPhaseChange();
    return true;
}

void Boss::fadeMove(int to_x, int to_y, int step) {
    if (!fading_in) {
        fade_alpha -= step;
        if (fade_alpha <= 0) {
            fading_in = true;
            fade_alpha = 0;
            setPosition(to_x, to_y);
        }
    } else {
        fade_alpha += step;
        if (fade_alpha > 254) {
            state = STATE_PINCH;
            clearFrame();
            clearMoveFrame();
            skills.clear();
            fade_alpha = 255;
        }
    }
    // Both pictures a fading boss can show fade together.
    if (texture) {
        texture->setAlpha(fade_alpha);
    }
    if (change_texture) {
        change_texture->setAlpha(fade_alpha);
    }
}

void Boss::explode(int dx, int dy) {
    countFrame();
    x += dx;
    y += dy;
    const int total = static_cast<int>(explosion_textures.size());
    if (explosion_step > 0 && frame % explosion_step == 0) {
        for (int i = explosion_first; i < explosion_count && i < total; ++i) {
            if (explosion_textures[static_cast<std::size_t>(i)]->nextFrame()) {
                if (i == explosion_count - 1) {
                    state = STATE_GONE;
                    return;
                }
                explosion_first += 1;
            }
        }
    }
    // A boss without explosion pictures is gone at once.
    if (total == 0) {
        state = STATE_GONE;
        return;
    }
    if (explosion_count < total && explosion_gap > 0 && frame % explosion_gap == 0) {
        const auto next = static_cast<std::size_t>(explosion_count);
        if (next < explosion_sounds.size()) {
            playSound(explosion_sounds[next]);
        }
        explosion_count += 1;
    }
}

Texture* Boss::currentPicture() const {
    // The big picture replaces every other once the boss has transformed.
    if (isBig()) {
        return texture;
    }
    switch (state) {
        case STATE_ENTRY:
        case STATE_REENTRY:
        case STATE_READY:
            return texture;
        case STATE_CHANGE:
        case STATE_DYING:
            return change_texture ? change_texture.get() : texture;
        default:
            return battle_texture ? battle_texture.get() : texture;
    }
}

void Boss::draw(Graphics& graphics) {
    if (state == STATE_STANDBY || state == STATE_GONE) {
        return;
    }
    drawSkills(graphics);
    if (Texture* picture = currentPicture()) {
        graphics.queueSprite(picture, x, y);
    }
    if (damage_texture && flash_alpha > 0) {
        damage_texture->setAlpha(flash_alpha);
        graphics.queueSprite(damage_texture.get(), x, y);
    }
    if (state == STATE_DYING) {
        const int total = static_cast<int>(explosion_textures.size());
        for (int i = explosion_first; i < explosion_count && i < total; ++i) {
            Texture* blast = explosion_textures[static_cast<std::size_t>(i)].get();
            if (y - blast->getCellHeight() < field_height) {
                const ExplosionOffset& offset = explosion_offsets[static_cast<std::size_t>(i)];
                graphics.queueSprite(blast, x + offset.x, y + offset.y);
            }
        }
    }
}

void Boss::firePattern(std::unique_ptr<ISkill> skill, Texture* picture, int from_x, int from_y,
                       int target_x, int target_y, int margin_x, int margin_y) {
    skill->fire(picture, from_x, from_y, target_x, target_y, margin_x, margin_y);
    skill->setPower(power);
    skill->launchAll();
    skills.push_back(std::move(skill));
}

void Boss::fireRing(int first_angle, int from_x, int from_y) {
    const BossRing& ring = row->ring;
    Texture* picture = ring_texture ? ring_texture.get() : bullet_texture.get();
    firePattern(std::make_unique<RoundBullets>(KIND_ENEMY_ATTACK, field_width, field_height,
                                               byLevel(ring.speed), first_angle,
                                               byLevel(ring.bullets), ring.turned),
                picture, from_x, from_y, -1, -1, ring.margin_x, ring.margin_y);
}

void Boss::fireBeams(int target_x, int target_y) {
    const BossBeams& beams = row->beams;
    for (int i = 0; i < beams.angle_count; ++i) {
        firePattern(std::make_unique<LeadBeam>(
                        KIND_ENEMY_ATTACK, field_width, field_height, beams.segments,
                        byLevel(beams.speed), 0, beams.angles[static_cast<std::size_t>(i)],
                        beams.homing_start, beams.homing_length, beams.turn_limit),
                    beam_texture.get(), x, y, target_x, target_y, beamMarginX, beamMarginY);
    }
    playSound(beam_sound);
}

void Boss::fireBlade() {
    const BossBlades& blades = row->blades;
    if (blades.starts.empty()) {
        return;
    }
    const BladeStart& start = blades.starts[blade_index % blades.starts.size()];
    blade_index = (blade_index + 1) % blades.starts.size();
    firePattern(
        std::make_unique<Slush>(KIND_ENEMY_ATTACK, field_width, field_height, byLevel(blades.speed),
                                start.angle, byLevel(blades.blur), bladeLength),
        blade_texture.get(), start.x, start.y, -1, -1, bladeMargin, bladeMargin);
    playSound(blade_sound);
}

void Boss::fireCornerFan() {
    const HitRect corner = getHitRect();
    firePattern(std::make_unique<EnemyBullets>(KIND_ENEMY_ATTACK, field_width, field_height,
                                               byLevel(row->fan_speed), true, LEVEL_1),
                bullet_texture.get(), corner.left, corner.top, -1, -1, fanMarginX, fanMarginY);
    playSound(bullet_sound);
}

}  // namespace ml::shooting::object
