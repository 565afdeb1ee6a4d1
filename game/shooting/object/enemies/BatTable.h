#pragma once
// The numbers of the 24 bats, one row per class.
//
// Every bat behaves like one of four groups (Bat.h); everything that differs
// between two bats of a group is a number, a picture or a pattern in its row.
// Rows are written field by field so that each can be read against the
// design table of the bats. Values that differ by difficulty are written
// easy / normal / hard.
//
// Thread: the table is a constant; any thread may read it.

#include <array>
#include <cstddef>
#include <string_view>

#include "game/shooting/object/EnemyDifficulty.h"

namespace ml::shooting::object {

// How a bat flies and when it fires (Bat.h has one class for each).
enum class BatGroup {
    sequence,  // stops at move frame 30 and fires its patterns one after another
    volley,    // stops at move frame 50, fires everything, flies on at 100
    periodic,  // never stops; a new fire ball every period
    laser,     // stops at move frame 10, fires everything, waits for the laser
};

// Where a pattern is aimed when it fires.
enum class BatAim {
    none,        // no target: straight, ring, fan or fixed directions
    remembered,  // the player's centre when the first volley fired
    current,     // the player's centre at each volley
};

enum class BatPatternKind { none, straight, fan, ring, homing, fireBall, laser };

// One kind of pattern a bat builds; `copies` of it are built.
struct BatPattern {
    BatPatternKind kind = BatPatternKind::none;
    ByLevel copies = every(1);
    // straight, fan, ring: the bullets' speed; homing: the beams' speed.
    ByLevel speed = every(0);
    // fan: bullets in the fan (3, 5 or 7); ring: bullets in the ring;
    // homing: segments of each chain.
    ByLevel bullets = every(0);
    // straight: the angle (0 flies straight right or aimed); ring: the first
    // angle; homing: unused (see beamAngles).
    int angle = 0;
    // ring: each bullet's picture turned to its direction.
    bool turned = false;
    // homing: the start angle of each copy.
    std::array<int, 5> beamAngles{};
    ByLevel homingStart = every(0);
    ByLevel homingLength = every(0);
    int turnLimit = 0;
    // laser.
    ByLevel direction = every(0);
    ByLevel growStep = every(0);
    ByLevel thickness = every(0);
    ByLevel lifetime = every(0);
    // fire ball.
    int vx = 0;
    int vy = 0;
    int size = 0;
    int parameter = 0;
    // Fire margins (hit area inside the picture).
    int marginX = 0;
    int marginY = 0;
    BatAim aim = BatAim::none;
    // Own picture of this pattern (the bat keeps and owns it); null: the
    // bat's bullet picture.
    const char16_t* picture = nullptr;
};

struct BatRow {
    const char* name = "";
    int hp = 0;
    bool hardBonus = false;  // hard difficulty adds 2 hit points
    int score = 0;
    const char16_t* bulletPicture = u"";
    BatGroup group = BatGroup::sequence;
    int speed = 0;                  // pixels per frame leftwards while flying
    int interval = 0;               // sequence: frames between volleys
    ByLevel firePeriod = every(0);  // periodic: frames between fire balls
    std::array<BatPattern, 3> patterns{};
};

inline constexpr int batCount = 24;

// The row of Bat<number>, number 1..24; std::out_of_range for any other.
const BatRow& batRow(int number);
// The number of the bat whose row is called exactly `name`; 0 when there
// is none. The rows' names are the only spelling of the bats' names.
int batNumber(std::string_view name);

}  // namespace ml::shooting::object
