#pragma once
// Making a boss from the name the stage script gives it: the name of a row
// of the boss table ("Maruiyatu", "TeruTeru", "Erika", "Kiriha", "Sister",
// "Sasaki", "Seiichirou" or "TrialBoss"), compared exactly; the row names
// the class that fights.
//
// Ownership: the caller owns the boss made.
// Failure: any other name makes nothing (null); nothing is loaded here (the
// caller loads textures and sounds and sets the level).

#include <memory>
#include <string_view>

#include "game/shooting/object/bosses/Boss.h"

namespace ml::shooting::object {

std::unique_ptr<Boss> createBoss(std::string_view name, int field_width, int field_height);

}  // namespace ml::shooting::object
