#pragma once
// FieldReader: copies what the autopilot needs from the shooting scene into
// a FieldView — the player, every enemy bullet, beam and flame on the field,
// the enemies' and the boss's bodies, the targets and the items. It only
// reads: nothing in the scene changes.
//
// Straight bullets carry their exact velocity and acceleration; every other
// threat's step is guessed from where it was on the previous read, so the
// reader keeps the last positions (looked up, never iterated). They are
// keyed by the object's spawn id, never by its address: a bullet made where
// a freed one lay must not inherit that one's step and age, or the same
// seed would play differently from run to run.
//
// Ownership: borrows nothing between calls. Thread: main thread only.

#include <compare>
#include <cstdint>
#include <map>
#include <optional>

#include "game/shooting/object/HitRect.h"
#include "tools/playtest/FieldView.h"

namespace ml {
class ShootingScene;
}
namespace ml::shooting::object {
class CharaObject;
class LazerObject;
class ShootingObject;
}  // namespace ml::shooting::object

namespace ml::playtest {

class FieldReader {
  public:
    // The view of `scene` now; an empty view (the player at 0, 0) when the
    // scene has no player.
    FieldView read(const ShootingScene& scene);

    // The bullets of one character (its skills' attacks on the field).
    void addAttacks(const shooting::object::CharaObject& chara, FieldView& view);
    // One moving thing whose step is guessed from the last read.
    void addGuessed(const shooting::object::ShootingObject& object, FieldView& view);

    // A laser's whole beam at its full thickness, standing still.
    void addLaser(const shooting::object::LazerObject& laser, FieldView& view);

    // What a thing on the field is remembered by: the spawn id of the object
    // and, for a piece of one (a boss's hit part, a pattern's box), which.
    struct Key {
        std::uint64_t object = 0;
        int piece = -1;
        auto operator<=>(const Key&) const = default;
    };

    // A box whose step is guessed from the last read, remembered by `key`.
    void addBox(Key key, const shooting::object::HitRect& box, FieldView& view);

    // Ends a read: what it saw becomes the last read (read does this itself).
    void endRead() {
        last.swap(seen);
        seen.clear();
    }

    // Forgets every remembered position (a new stage).
    void clear() {
        last.clear();
        seen.clear();
        bossY.reset();
    }

    // Where a boss bobbing between `low` and `high` at `vy` pixels a frame
    // is after `frames` frames: it turns back once it has passed either end.
    static int bobbedY(int y, int vy, int low, int high, int frames);

    // The player's shots fly this many pixels a frame: a bobbing boss is
    // aimed at where it will be when they arrive.
    static constexpr int kShotSpeed = 15;

  private:
    struct Seen {
        double x, y;
        int age;
    };
    // Adds `t` to the view, its age counted on from the last read of `key`
    // and, with `guessStep`, its step guessed from where it was then.
    void push(Key key, Threat& t, bool guessStep, FieldView& view);
    std::map<Key, Seen> last;  // positions of the previous read
    std::map<Key, Seen> seen;  // positions of this read
    std::optional<int> bossY;  // the boss's height on the previous read
};

}  // namespace ml::playtest
