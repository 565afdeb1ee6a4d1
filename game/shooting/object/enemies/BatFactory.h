#pragma once
// Making a bat from the name the stage script gives it: the behaviour class
// its row's group names, run on that row.
//
// Ownership: the caller owns the bat made.
// Failure: a name that is not exactly a row's name makes nothing
// (null); nothing is loaded here (the caller loads textures and sounds and
// sets the level).

#include <memory>
#include <string_view>

#include "game/shooting/object/enemies/EnemyObject.h"

namespace ml::shooting::object {

std::unique_ptr<EnemyObject> createBat(std::string_view name, int field_width, int field_height);

}  // namespace ml::shooting::object
