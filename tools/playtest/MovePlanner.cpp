#include "tools/playtest/MovePlanner.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace ml::playtest {

namespace {

// The nine directions, standing still first so that a tie stays put.
constexpr int kDirections[] = {
    0,
    kButtonUp,
    kButtonDown,
    kButtonLeft,
    kButtonRight,
    kButtonUp | kButtonLeft,
    kButtonUp | kButtonRight,
    kButtonDown | kButtonLeft,
    kButtonDown | kButtonRight,
};

constexpr double kHitCost = 1e6;
// Passing closer than this many pixels more than the margin costs a little.
constexpr int kNearMargin = 12;
constexpr double kNearCost = 400;
// Reaching the goal a frame later costs as much as ending this many pixels off.
constexpr double kLatenessCost = 0.5;

struct Box {
    double left, top, right, bottom;
};

bool overlaps(const Box& a, const Box& b, double grow) {
    return a.left - grow < b.right && a.right + grow > b.left && a.top - grow < b.bottom &&
           a.bottom + grow > b.top;
}

// Where the player wants to end up: an item first, else lined up with the
// nearest target in front, else where it is (vertically) at home.
void goal(const FieldView& view, int homeX, double& gx, double& gy, double& weightX) {
    gx = homeX;
    gy = view.y;
    weightX = 0.3;
    double best = std::numeric_limits<double>::max();
    for (const Pickup& p : view.pickups) {
        const double d = std::abs(p.x - view.x) + std::abs(p.y - view.y);
        if (d < best) {
            best = d;
            gx = p.x;
            gy = p.y;
            weightX = 1.0;
        }
    }
    if (best < std::numeric_limits<double>::max())
        return;
    int nearest = std::numeric_limits<int>::max();
    for (const Target& t : view.targets) {
        if (t.x <= view.x + 10 || t.x > view.width + 40)
            continue;
        // Bosses come last: any bat in front is a nearer worry.
        const int distance = t.x - view.x + (t.boss ? 2000 : 0);
        if (distance < nearest) {
            nearest = distance;
            gy = t.y;
        }
    }
}

}  // namespace

void MovePlanner::fly(const FieldView& view, int directions, int speed, int frames, int& x,
                      int& y) {
    for (int i = 0; i < frames; ++i) {
        if (directions & kButtonUp)
            y -= speed;
        if (directions & kButtonDown)
            y += speed;
        if (directions & kButtonLeft)
            x -= speed;
        if (directions & kButtonRight)
            x += speed;
        if (x + view.left < 0)
            x = -view.left;
        else if (x + view.right > view.width)
            x = view.width - view.right;
        if (y + view.top < 0)
            y = -view.top;
        else if (y + view.bottom > view.height)
            y = view.height - view.bottom;
    }
}

void MovePlanner::predict(const Threat& t, int frames, double& x, double& y) {
    // k updates of v += a, p += v: p + k v + a k (k + 1) / 2.
    const double k = frames;
    x = t.x + k * t.vx + t.ax * k * (k + 1) / 2;
    y = t.y + k * t.vy + t.ay * k * (k + 1) / 2;
}

namespace {

// One plan: up to three legs, each a direction held for some frames (the
// last leg to the horizon); only the first leg may be slow.
struct Plan {
    int d1 = 0, d2 = 0, d3 = 0;
    int leg1 = 1, leg2 = 0;  // frames of the first and second legs
    bool slow = false;
};

}  // namespace

Move MovePlanner::plan(const FieldView& view) const {
    // A quick look first: two legs over the usual horizon. Only when every
    // such plan is hit, a longer look with a third leg, which finds the way
    // out of a corner or through a ring's gap that the short look misses.
    Move quick = search(view, tuning.horizon, false);
    if (quick.firstHit == 0 || tuning.deepHorizon <= tuning.horizon)
        return quick;
    Move deep = search(view, tuning.deepHorizon, true);
    if (deep.firstHit == 0 || deep.firstHit > quick.firstHit)
        return deep;
    return quick;
}

Move MovePlanner::search(const FieldView& view, int horizonFrames, bool threeLegs) const {
    const int horizon = std::max(1, horizonFrames);
    const int firstLeg = std::clamp(tuning.firstLeg, 1, horizon);
    const int secondLeg = threeLegs ? std::clamp(tuning.secondLeg, 1, horizon - firstLeg) : 0;

    // The threats' boxes on every frame ahead, only those the player could
    // reach in time.
    const double reach = view.speed * horizon + 64.0;
    std::vector<std::vector<Box>> boxes(static_cast<std::size_t>(horizon) + 1);
    for (const Threat& t : view.threats) {
        for (int k = 1; k <= horizon; ++k) {
            double tx = 0, ty = 0;
            predict(t, k, tx, ty);
            const double g = t.spread * k;
            const Box box{tx + t.left - g, ty + t.top - g, tx + t.right + g, ty + t.bottom + g};
            // Only what the player could reach in time (a long beam counts
            // by its nearest edge, not its middle).
            if (box.left - view.x > reach || view.x - box.right > reach ||
                box.top - view.y > reach || view.y - box.bottom > reach)
                continue;
            boxes[static_cast<std::size_t>(k)].push_back(box);
        }
    }

    double gx = 0, gy = 0, weightX = 0;
    goal(view, tuning.homeX, gx, gy, weightX);

    // What ending a plan at (x, y) costs: off the goal, or near a wall.
    auto place = [&](int x, int y) {
        double c = std::abs(y - gy) + weightX * std::abs(x - gx);
        const int wall = tuning.wallMargin;
        if (y < wall)
            c += tuning.wallCost * (wall - y);
        if (y > view.height - wall)
            c += tuning.wallCost * (y - (view.height - wall));
        if (x < tuning.leftMargin)
            c += tuning.wallCost * (tuning.leftMargin - x);
        return c;
    };

    auto evaluate = [&](const Plan& p, int& firstHit) {
        int x = view.x, y = view.y;
        double cost = 0;
        firstHit = 0;
        const int speed1 = p.slow ? view.slowSpeed : view.speed;
        // How close to the goal the plan gets, and how soon.
        double closest = std::numeric_limits<double>::max();
        for (int k = 1; k <= horizon; ++k) {
            if (k <= p.leg1)
                fly(view, p.d1, speed1, 1, x, y);
            else if (k <= p.leg1 + p.leg2)
                fly(view, p.d2, view.speed, 1, x, y);
            else
                fly(view, p.d3, view.speed, 1, x, y);
            const Box me{double(x + view.left), double(y + view.top), double(x + view.right),
                         double(y + view.bottom)};
            bool near = false;
            for (const Box& b : boxes[static_cast<std::size_t>(k)]) {
                if (!overlaps(me, b, tuning.margin + kNearMargin))
                    continue;
                near = true;
                if (overlaps(me, b, tuning.margin)) {
                    firstHit = k;
                    break;
                }
            }
            if (firstHit) {
                cost += kHitCost * (horizon + 1 - k);
                break;
            }
            if (near)
                cost += kNearCost * (horizon + 1 - k) / horizon;
            closest = std::min(closest, place(x, y) + kLatenessCost * k);
        }
        if (firstHit)
            closest = std::min(closest, place(x, y));
        return cost + closest;
    };

    Move best;
    double bestCost = std::numeric_limits<double>::max();
    Plan p;
    p.leg1 = firstLeg;
    p.leg2 = secondLeg;
    for (int slow = 0; slow < 2; ++slow) {
        p.slow = slow != 0;
        for (int d1 : kDirections) {
            if (slow && (d1 == 0 || view.weapon != 0))
                continue;  // standing still slowly is standing still; Hotaru has no slow
            p.d1 = d1;
            for (int d2 : kDirections) {
                p.d2 = d2;
                for (int d3 : kDirections) {
                    p.d3 = threeLegs ? d3 : d2;
                    int firstHit = 0;
                    const double cost = evaluate(p, firstHit);
                    if (cost < bestCost) {
                        bestCost = cost;
                        best.directions = d1;
                        best.slow = p.slow;
                        best.firstHit = firstHit;
                    }
                    if (!threeLegs)
                        break;
                }
            }
        }
    }
    best.doomed = best.firstHit > 0 && best.firstHit <= tuning.doomFrames;
    return best;
}

}  // namespace ml::playtest
