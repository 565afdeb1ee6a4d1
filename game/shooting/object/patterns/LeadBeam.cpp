#include "game/shooting/object/patterns/LeadBeam.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/graphics/DegreeTable.h"
#include "engine/material/Texture.h"
#include "game/shooting/object/attacks/BeamObject.h"

namespace ml::shooting::object {

using veru::dxt::DegreeTable;

LeadBeam::LeadBeam(int kind_, int width, int height, int count, double beam_speed,
                   double beam_accel, int start, int homing_from, int homing_frames, int limit)
    : ISkill(kind_, width, height, false),
      speed(beam_speed),
      accel(static_cast<int>(beam_accel)),
      start_angle(start),
      homing_start(homing_from),
      homing_length(homing_frames),
      turn_limit(limit),
      angle(start),
      trail(static_cast<std::size_t>(count > 1 ? count - 1 : 0)) {
    for (int i = 0; i < count; ++i) {
        attacks.push_back(std::make_unique<BeamObject>(kind, field_width, field_height));
    }
}

void LeadBeam::setHeading(int degrees) {
    angle = degrees;
    float c = DegreeTable::cosine(angle);
    float s = DegreeTable::sine(angle);
    vx = speed * c;
    vy = speed * s;
    ax = accel * c;
    ay = accel * s;
}

void LeadBeam::prepare(int margin_x, int margin_y) {
    for (auto& segment : attacks) {
        dress(*segment, margin_x, margin_y);
        static_cast<BeamObject&>(*segment).place(x, y, start_angle);
    }
    for (auto& entry : trail) {
        entry = TrailEntry{x, y, start_angle};
    }
    step_count = 0;
    head_x = x;
    head_y = y;
    setHeading(start_angle);
}

int LeadBeam::turnTowards(int from, int wanted, int limit) {
    int difference = wanted - from;
    if (limit <= 0 || std::abs(difference) <= limit) {
        return wanted;
    }
    int turn = difference > 0 ? limit : -limit;
    if (std::abs(difference) >= 180) {
        turn = -turn;  // the other way round is shorter
    }
    return DegreeTable::normalise(from + turn);
}

bool LeadBeam::update(int aim_x, int aim_y) {
    // A segment that hit something or was cancelled by a bomb is gone; the
    // rest of the chain flies on until it leaves the field. (A chain that
    // stopped instead would hang in the air for ever and keep its enemy,
    // and so the stage, from ever finishing.)
    const bool anyActive = std::any_of(attacks.begin(), attacks.end(),
                                       [](const auto& a) { return a->getState() == STATE_ACTIVE; });
    if (!anyActive) {
        return true;
    }
    step_count += 1;
    for (std::size_t i = trail.size(); i-- > 1;) {
        trail[i] = trail[i - 1];
    }
    if (!trail.empty()) {
        trail[0] = TrailEntry{x, y, angle};
    }
    static_cast<BeamObject&>(*attacks[0]).place(x, y, angle);
    for (std::size_t j = 0; j < trail.size(); ++j) {
        static_cast<BeamObject&>(*attacks[j + 1]).place(trail[j].x, trail[j].y, trail[j].angle);
    }
    bool has_aim = aim_x >= 0 || aim_y >= 0;
    if (has_aim && homing_start < step_count && step_count < homing_start + homing_length) {
        double radians = std::atan2(aim_y - head_y, aim_x - head_x);
        int wanted = static_cast<int>(radians * 180.0 / 3.1415927);
        if (wanted < 0) {
            wanted += 360;
        }
        setHeading(turnTowards(angle, wanted, turn_limit));
    }
    vx += ax;
    vy += ay;
    head_x += vx;
    head_y += vy;
    x = static_cast<int>(std::lround(head_x));
    y = static_cast<int>(std::lround(head_y));
    for (auto& segment : attacks) {
        segment->update(aim_x, aim_y);
    }
    if (lastSegmentOutOfField()) {
        cancelAll();
        return true;
    }
    return false;
}

bool LeadBeam::lastSegmentOutOfField() const {
    const AttackObject& last = *attacks.back();
    const Texture* picture = last.getTexture();
    int w = picture != nullptr ? picture->getCellWidth() : 0;
    int h = picture != nullptr ? picture->getCellHeight() : 0;
    return last.getX() + w < 0 || last.getX() - w > field_width || last.getY() + h < 0 ||
           last.getY() - h > field_height;
}

}  // namespace ml::shooting::object
