#pragma once
// The 24 bats by name. Each is its behaviour group (SequenceBat, VolleyBat,
// PeriodicBat, LaserBat) run on its own row of numbers (BatTable.h), which
// names the same group.
//
// Ownership, thread and failures: those of Bat.

#include "game/shooting/object/enemies/BatTable.h"
#include "game/shooting/object/enemies/LaserBat.h"
#include "game/shooting/object/enemies/PeriodicBat.h"
#include "game/shooting/object/enemies/SequenceBat.h"
#include "game/shooting/object/enemies/VolleyBat.h"

namespace ml::shooting::object {

// Bat number N flying as `Group`.
template <int N, class Group>
class NumberedBat final : public Group {
  public:
    static_assert(N >= 1 && N <= batCount);
    static constexpr int number = N;
    NumberedBat(int field_width, int field_height) : Group(field_width, field_height, N) {}
};

using Bat1 = NumberedBat<1, SequenceBat>;
using Bat2 = NumberedBat<2, SequenceBat>;
using Bat3 = NumberedBat<3, SequenceBat>;
using Bat4 = NumberedBat<4, SequenceBat>;
using Bat5 = NumberedBat<5, SequenceBat>;
using Bat6 = NumberedBat<6, SequenceBat>;
using Bat7 = NumberedBat<7, SequenceBat>;
using Bat8 = NumberedBat<8, SequenceBat>;
using Bat9 = NumberedBat<9, SequenceBat>;
using Bat10 = NumberedBat<10, SequenceBat>;
using Bat11 = NumberedBat<11, SequenceBat>;
using Bat12 = NumberedBat<12, SequenceBat>;
using Bat13 = NumberedBat<13, SequenceBat>;
using Bat14 = NumberedBat<14, SequenceBat>;
using Bat15 = NumberedBat<15, VolleyBat>;
using Bat16 = NumberedBat<16, VolleyBat>;
using Bat17 = NumberedBat<17, VolleyBat>;
using Bat18 = NumberedBat<18, VolleyBat>;
using Bat19 = NumberedBat<19, PeriodicBat>;
using Bat20 = NumberedBat<20, LaserBat>;
using Bat21 = NumberedBat<21, LaserBat>;
using Bat22 = NumberedBat<22, LaserBat>;
using Bat23 = NumberedBat<23, LaserBat>;
using Bat24 = NumberedBat<24, LaserBat>;

}  // namespace ml::shooting::object
