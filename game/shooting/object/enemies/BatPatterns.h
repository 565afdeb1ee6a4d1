#pragma once
// Building a bat's bullet patterns from its row (BatTable.h).
//
// Ownership: the caller owns the pattern made.
// Failure: a `none` entry makes nothing (null).

#include <memory>

#include "game/shooting/object/enemies/BatTable.h"
#include "game/shooting/object/patterns/ISkill.h"

namespace ml::shooting::object {

// Copy `copy` (0-based) of `pattern` at `difficulty` (0 easy .. 2 hard), as
// an enemy attack on a field of the size given.
std::unique_ptr<ISkill> makeBatPattern(const BatPattern& pattern, int copy, int difficulty,
                                       int field_width, int field_height);

}  // namespace ml::shooting::object
