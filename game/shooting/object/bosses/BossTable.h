#pragma once
// The numbers of the eight bosses, one row each.
//
// Everything a boss is made of except the way it fires is a number, a
// picture or a sound in its row: hit points, the pinch share, the score,
// the big bosses' transformation, the fire periods of both phases, the
// phase change, pictures, voices and the hit parts, and the rings, beams,
// fans, blades and fire balls its firing code builds. Which class does the firing is
// named by `fight`; two rows may share a class (Erika and Kiriha, the two
// sample bosses). Values that differ by difficulty are written
// easy / normal / hard. A path left null is not loaded.
//
// Thread: the table is a constant; any thread may read it.

#include <array>
#include <span>
#include <string_view>

#include "game/shooting/object/EnemyDifficulty.h"
#include "game/shooting/object/bosses/BladeTable.h"

namespace ml::shooting::object {

// The classes that fire for a row (BossFactory makes the one named).
enum class BossFight { trial, seiichirou, duelist, sample, sister, sasaki };

// One rectangle of a boss's shape: anchor (px, py) in picture pixels from the
// picture's top-left corner, and half its width and height.
struct BossPart {
    int px = 0;
    int py = 0;
    int half_width = 0;
    int half_height = 0;
};

// Where the phase change puts the boss when it has faded out.
enum class ChangeTo {
    fieldMiddle,    // stop distance from the right edge, the field's middle row
    settled,        // the big picture's settled place (half its height + descent)
    pictureMiddle,  // half the big picture's height down
};

struct BossChange {
    int fade_step = 10;       // alpha lost (and then won back) per frame
    int stops_from_edge = 1;  // x: this many stop distances from the right edge
    ChangeTo to = ChangeTo::fieldMiddle;
};

// A ring of bullets; the firing code gives its first angle and origin.
struct BossRing {
    ByLevel speed = every(0);
    ByLevel bullets = every(0);
    bool turned = false;  // each bullet's picture turned to its direction
    int margin_x = 3;
    int margin_y = 3;
};

// Homing beam chains from the boss's centre at the player, one per angle.
struct BossBeams {
    int segments = 10;
    ByLevel speed = every(0);
    int homing_start = 0;
    int homing_length = 0;
    int turn_limit = 0;
    std::array<int, 3> angles{};
    int angle_count = 0;
};

// Blades from a table of starts, used in turn.
struct BossBlades {
    std::span<const BladeStart> starts{};  // empty: no blades
    ByLevel speed = every(0);
    ByLevel blur = every(0);
};

// Fire balls: one every `period` frames (0: none), drifting at up to
// `fastest` pixels a frame on each axis, drawn at random; at 1 they drift a
// pixel a frame and nothing is drawn.
struct BossFireBalls {
    ByLevel period = every(0);
    ByLevel fastest = every(1);
};

struct BossRow {
    std::string_view name;
    // The practice menu's list: a short name in Japanese and in English,
    // and a 96 x 96 portrait.
    const char16_t* short_name = nullptr;
    const char16_t* short_name_en = nullptr;
    const char16_t* portrait = nullptr;
    BossFight fight = BossFight::trial;
    ByLevel hp = every(0);
    double pinch_ratio = 0.34;
    int score = 0;
    // Big bosses arrive small and turn into `big`, which settles with its top
    // edge this far down; 0 for the others.
    int descent = 0;

    // Frames between volleys in each phase (the class decides what a volley
    // is); 0 fires nothing on a period.
    ByLevel period = every(0);
    ByLevel pinch_period = every(0);
    // The occasional attack (ring or beams) joins every this many volleys.
    int extra_every = 1;
    bool animates = true;  // the battle and damage pictures advance every 5 frames
    int bob_step = 0;      // first phase: up and down this many pixels a frame
    BossChange change{};

    // Pictures: the entry (small) picture, the fight, the damage flash, the
    // phase change and death, bullets and the big picture.
    const char16_t* picture = nullptr;
    const char16_t* battle = nullptr;
    const char16_t* damage = nullptr;
    const char16_t* change_picture = nullptr;
    const char16_t* bullets = nullptr;
    const char16_t* big = nullptr;
    // Pictures of single attacks.
    const char16_t* blade_picture = nullptr;
    const char16_t* beam_picture = nullptr;
    const char16_t* laser_picture = nullptr;
    const char16_t* ring_picture = nullptr;
    const char16_t* flare_picture = nullptr;
    const char16_t* pan_picture = nullptr;
    int explosion_spread = 30;  // death explosions land up to this far from the centre

    // Voices: at the phase change, when the fight starts, at the death.
    const char16_t* pinch_voice = nullptr;
    const char16_t* go_voice = nullptr;
    const char16_t* dead_voice = nullptr;
    // Sounds of its attacks.
    const char16_t* bullet_sound = nullptr;
    const char16_t* blade_sound = nullptr;
    const char16_t* beam_sound = nullptr;
    const char16_t* laser_sound = nullptr;
    const char16_t* swing_sound = nullptr;
    const char16_t* big_swing_sound = nullptr;

    // The shape, measured on the big picture for a big boss.
    std::span<const BossPart> parts{};

    // Attacks the firing code builds.
    BossRing ring{};
    BossBeams beams{};
    BossBlades blades{};
    ByLevel fan_speed = every(0);
    BossFireBalls fire_balls{};
};

// The row of the boss called exactly `name`; null when there is none.
const BossRow* findBossRow(std::string_view name);
// Every row, in the order the factory lists them.
std::span<const BossRow> bossRows();

}  // namespace ml::shooting::object
