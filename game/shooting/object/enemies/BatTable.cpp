#include "game/shooting/object/enemies/BatTable.h"

namespace ml::shooting::object {

namespace {

using G = BatGroup;
using K = BatPatternKind;

// Patterns shared by several rows.

// `copies` single bullets flying at `speed`, aimed as told.
constexpr BatPattern straight(ByLevel copies, ByLevel speed, BatAim aim, int mx, int my) {
    return {.kind = K::straight,
            .copies = copies,
            .speed = speed,
            .angle = 0,
            .marginX = mx,
            .marginY = my,
            .aim = aim};
}

// One fan of 3, 5 or 7 bullets, pictures not turned.
constexpr BatPattern fan(ByLevel bullets, const char16_t* picture = nullptr) {
    return {.kind = K::fan,
            .speed = {3, 4, 5},
            .bullets = bullets,
            .marginX = 2,
            .marginY = 3,
            .picture = picture};
}

// `copies` rings starting at 180 degrees, pictures not turned.
constexpr BatPattern ring(int copies, ByLevel bullets) {
    return {.kind = K::ring,
            .copies = every(copies),
            .speed = {3, 4, 5},
            .bullets = bullets,
            .angle = 180,
            .turned = false,
            .marginX = 2,
            .marginY = 3};
}

// Homing chains of 10 segments with the start angles given.
constexpr BatPattern homing(int copies, std::array<int, 5> angles, ByLevel speed, ByLevel start,
                            ByLevel length, int turnLimit, const char16_t* picture = nullptr) {
    return {.kind = K::homing,
            .copies = every(copies),
            .speed = speed,
            .bullets = every(10),
            .beamAngles = angles,
            .homingStart = start,
            .homingLength = length,
            .turnLimit = turnLimit,
            .marginX = 13,
            .marginY = 13,
            .aim = BatAim::current,
            .picture = picture};
}

constexpr BatPattern laser(ByLevel direction, ByLevel grow, ByLevel thickness, ByLevel lifetime,
                           const char16_t* picture = nullptr) {
    return {.kind = K::laser,
            .direction = direction,
            .growStep = grow,
            .thickness = thickness,
            .lifetime = lifetime,
            .marginX = 0,
            .marginY = 1,
            .picture = picture};
}

constexpr BatPattern fireBall(int mx, int my) {
    return {.kind = K::fireBall,
            .vx = -1,
            .vy = 1,
            .size = 5,
            .parameter = 1,
            .marginX = mx,
            .marginY = my};
}

constexpr const char16_t* laserPicture = u"img/lazer.ytx";
constexpr const char16_t* beamPicture = u"img/beam_unit.ytx";
constexpr ByLevel fanOfDifficulty{3, 5, 7};

// clang-format off
constexpr std::array<BatRow, batCount> rows{{
    // name, hp, +2 hard, score, bullet picture, group, speed, interval / period, patterns
    {"Bat1",  2, true,  500,  u"img/arc_red_bullet.ytx",    G::sequence, 2, 10, {},
        {straight({1, 3, 5}, {3, 4, 5}, BatAim::remembered, 2, 3)}},
    {"Bat2",  4, true,  1000, u"img/arc_red_bullet.ytx",    G::sequence, 3, 10, {},
        {straight({3, 5, 7}, {3, 4, 5}, BatAim::remembered, 2, 3)}},
    {"Bat3",  5, true,  1500, u"img/arc_red.ytx",           G::sequence, 2, 20, {},
        {straight({1, 3, 5}, {3, 4, 5}, BatAim::remembered, 5, 5)}},
    {"Bat4",  4, true,  2000, u"img/arc_ice_bullet.ytx",    G::sequence, 2, 10, {},
        {straight({1, 3, 5}, {3, 4, 5}, BatAim::current, 2, 3)}},
    {"Bat5",  5, true,  2500, u"img/arc_ice_bullet.ytx",    G::sequence, 3, 10, {},
        {straight({3, 5, 7}, {3, 4, 5}, BatAim::current, 2, 3)}},
    {"Bat6",  6, true,  3000, u"img/arc_ice.ytx",           G::sequence, 2, 20, {},
        {straight({1, 3, 5}, {3, 4, 5}, BatAim::current, 5, 5)}},
    {"Bat7",  4, true,  3500, u"img/arc_green_bullet.ytx",  G::sequence, 2, 0, {},
        {fan(fanOfDifficulty)}},
    {"Bat8",  5, true,  4000, u"img/arc_green.ytx",         G::sequence, 2, 0, {},
        {fan(fanOfDifficulty)}},
    {"Bat9",  5, true,  4500, u"img/arc_yerrow_bullet.ytx", G::sequence, 2, 0, {},
        {ring(1, {8, 12, 24})}},
    {"Bat10", 5, true,  5000, u"img/arc_yerrow.ytx",        G::sequence, 2, 0, {},
        {ring(1, {8, 12, 24})}},
    {"Bat11", 6, true,  5500, u"img/arc_yerrow_bullet.ytx", G::sequence, 2, 30, {},
        {ring(2, {5, 12, 24})}},
    {"Bat12", 6, true,  6000, u"img/arc_yerrow.ytx",        G::sequence, 2, 30, {},
        {ring(2, {5, 12, 24})}},
    {"Bat13", 6, true,  6500, u"img/arc_yerrow_bullet.ytx", G::sequence, 2, 30, {},
        {ring(3, {5, 12, 24})}},
    {"Bat14", 6, true,  7000, u"img/arc_yerrow.ytx",        G::sequence, 2, 30, {},
        {ring(3, {5, 12, 24})}},
    {"Bat15", 7, false, 7500, u"img/beam_unit.ytx",         G::volley,   2, 0, {},
        {homing(1, {180}, {3, 5, 7}, {60, 60, 40}, {30, 30, 40}, 3)}},
    {"Bat16", 7, false, 8000, u"img/beam_unit.ytx",         G::volley,   2, 0, {},
        {homing(3, {135, 180, 225}, {3, 5, 7}, {60, 60, 40}, {30, 30, 40}, 3)}},
    {"Bat17", 7, false, 8500, u"img/beam_unit.ytx",         G::volley,   2, 0, {},
        {homing(5, {90, 135, 180, 225, 270}, {3, 5, 7}, {60, 60, 40}, {30, 30, 40}, 3)}},
    {"Bat18", 7, true,  9000, u"img/flare.ytx",             G::volley,   2, 0, {},
        {fireBall(3, 3)}},
    {"Bat19", 7, true,  9500, u"img/flare.ytx",             G::periodic, 2, 0, {60, 50, 40},
        {fireBall(0, 0)}},
    {"Bat20", 7, false, 10000, u"img/lazer.ytx",            G::laser,    5, 0, {},
        {laser({2, 3, 6}, {1, 1, 2}, {3, 5, 7}, {60, 70, 80})}},
    {"Bat21", 10, false, 10500, u"img/lazer.ytx",           G::laser,    5, 0, {},
        {laser({3, 5, 6}, {1, 1, 2}, {10, 20, 30}, {100, 150, 200})}},
    {"Bat22", 10, false, 11000, u"img/arc_blue.ytx",        G::laser,    5, 0, {},
        {laser(every(5), every(1), {3, 5, 10}, every(150), laserPicture),
         fan(every(3))}},
    {"Bat23", 10, false, 11500, u"img/arc_blue.ytx",        G::laser,    5, 0, {},
        {laser(every(5), every(1), {3, 5, 10}, every(180), laserPicture),
         fan(every(3)),
         homing(2, {90, 270}, every(5), every(10), {30, 60, 70}, 5, beamPicture)}},
    {"Bat24", 10, false, 12000, u"img/arc_blue_bullet.ytx", G::laser,    5, 0, {},
        {fan(fanOfDifficulty),
         homing(2, {90, 270}, every(5), every(10), {30, 60, 70}, 5, beamPicture)}},
}};
// clang-format on

}  // namespace

const BatRow& batRow(int number) {
    return rows.at(static_cast<std::size_t>(number - 1));
}

int batNumber(std::string_view name) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].name == name) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

}  // namespace ml::shooting::object
