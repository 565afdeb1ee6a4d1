#pragma once
// The difficulty an enemy or boss plays at, from the level the scene gives,
// and numbers written per difficulty.

#include "game/shooting/object/ObjectCodes.h"

namespace ml::shooting::object {

// 0 easy, 1 normal, 2 hard for LEVEL_1, LEVEL_2, LEVEL_3; the two higher
// levels play as hard, anything else as easy.
inline constexpr int difficultyOf(int level) {
    if (level < LEVEL_MIN || level > LEVEL_MAX) {
        return 0;
    }
    const int step = level - LEVEL_MIN;
    return step > 2 ? 2 : step;
}

// A number for each difficulty.
struct ByLevel {
    int easy = 0;
    int normal = 0;
    int hard = 0;

    // difficulty: 0 easy, 1 normal, 2 hard.
    constexpr int at(int difficulty) const {
        return difficulty <= 0 ? easy : (difficulty == 1 ? normal : hard);
    }
};

// The same number at every difficulty.
constexpr ByLevel every(int value) {
    return {value, value, value};
}

}  // namespace ml::shooting::object
