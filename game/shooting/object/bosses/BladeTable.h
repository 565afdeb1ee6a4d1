#pragma once
// Where the bosses' blades start and which way they fly: seven entries used
// in turn, wrapping to the first after the seventh.

#include <array>

namespace ml::shooting::object {

struct BladeStart {
    int x = 0;
    int y = 0;
    int angle = 0;  // degrees, 0 right, 90 down
};

using BladeTable = std::array<BladeStart, 7>;

// Seiichirou and Kiriha.
inline constexpr BladeTable swordBlades{{{600, 50, 110},
                                         {600, 240, 180},
                                         {600, 50, 130},
                                         {600, 170, 150},
                                         {600, 300, 230},
                                         {600, 400, 260},
                                         {600, 160, 200}}};

// Erika.
inline constexpr BladeTable erikaBlades{{{600, 100, 120},
                                         {600, 240, 180},
                                         {600, 160, 200},
                                         {600, 170, 150},
                                         {600, 300, 230},
                                         {600, 50, 150},
                                         {600, 400, 260}}};

}  // namespace ml::shooting::object
