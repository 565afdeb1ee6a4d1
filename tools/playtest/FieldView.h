#pragma once
// FieldView: what the autopilot knows of the play field on one frame — a
// plain copy, made by FieldReader from the scene's objects, so that the
// decisions can be tested on small made-up fields.
//
// Coordinates are field pixels, (x, y) the centre of a thing and its hit
// rectangle four offsets around it, as the shooting objects store them.
// Ownership: plain values. Thread: any.

#include <vector>

#include "game/StageBounds.h"

namespace ml::playtest {

// Something that hurts the player on contact: a bullet, beam, flame or an
// enemy's body. It moves on as v += a, p += v once per frame (exact for the
// straight bullets, a guess from the last frame's step for the rest).
struct Threat {
    double x = 0, y = 0;
    double vx = 0, vy = 0;
    double ax = 0, ay = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
    // Pixels the box is widened by on each side per frame looked ahead: how
    // unsure the guess is (0 for a straight bullet's exact path).
    double spread = 0;
    // Reads it has been on the field before this one (0: new now).
    int age = 0;
};

// Something worth shooting: the player lines up with it.
struct Target {
    int x = 0, y = 0;
    bool boss = false;
};

// An item to pick up.
struct Pickup {
    int x = 0, y = 0;
};

struct FieldView {
    int width = ml::stage::kFieldWidth;
    int height = ml::stage::kFieldHeight;
    // The player: centre, hit offsets and speeds.
    int x = 0, y = 0;
    int left = -20, top = -11, right = 20, bottom = 11;
    int speed = 5;
    int slowSpeed = 2;
    // Hotaru's weapon (1-4): her slow button changes it instead of slowing
    // her. 0 for Shiro.
    int weapon = 0;
    // The weapon the autopilot taps her slow button for: her row's hint.
    int wantedWeapon = 0;
    // The boss is on the field (its approach or its battle).
    bool bossFight = false;
    std::vector<Threat> threats;
    std::vector<Target> targets;
    std::vector<Pickup> pickups;
};

}  // namespace ml::playtest
