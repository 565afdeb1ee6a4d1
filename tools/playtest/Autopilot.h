#pragma once
// Autopilot: an input device that plays the shooting stage. Each poll reads
// the scene (read-only, through FieldReader) and answers the button word a
// decent player would press now:
//   - talk: a fresh press of the shot button for every box;
//   - pause menu: "return to the game";
//   - continue dialog: "yes" (after `maxContinues` continues, "no", so that a
//     play always ends);
//   - shooting and boss: the shot held, the move MovePlanner chooses (lined
//     up with the nearest target, onto items, away from every threat it can
//     has noticed coming), the kintuba pressed when the gauge is empty and
//     a stock is there (before the boss only with a full stock, the rest
//     kept for the boss), the bomb pressed when
//     every plan is hit within a few frames and three stock remain;
//   - flying Hotaru: never a slow move (her slow button changes weapon),
//     and taps of the slow button until she has the weapon her row hints.
// Presses that act once (kintuba, bomb, menu choices) are released on the
// next poll, so each is a fresh press.
//
// Ownership: borrows the scene and the play status, which must outlive it.
// Thread: main thread, polled by the scene's update.

#include <cstdint>
#include <random>

#include "engine/input/InputInterface.h"
#include "tools/playtest/FieldReader.h"
#include "tools/playtest/MovePlanner.h"

namespace veru::dxt {
class PlayStatus;
}

namespace ml::playtest {

// How human the pilot is. Now and then its attention lapses for a few
// frames, in which it keeps the move it had and presses nothing new; it
// lapses less the busier the field is around it (a player drifts in a calm
// stretch and holds on in a storm of bullets). And it notices a new threat
// only after `reactionFrames` frames. The lapses are drawn from the pilot's
// own generator, seeded with the play's seed, so a play is the same every
// time. The defaults are the pilot the stage's balance is measured with.
struct Attention {
    double lapsePerFrame = 0.011;  // chance that a lapse starts on a calm field
    int lapseMin = 3;
    int lapseMax = 8;
    // Frames before a new threat is noticed at all: a bullet fired now is
    // dodged only from its `reactionFrames`-th frame on the field.
    int reactionFrames = 16;
    // With n threats within `busyDistance` pixels a lapse is
    // (1 + n / busyThreats) times rarer (0: as often whatever happens).
    double busyThreats = 4;
    double busyDistance = 160;
};

class Autopilot : public veru::dxt::event::InputInterface {
  public:
    struct Masks {
        int shoot = 0x10;
        int special = 0x20;
        int bomb = 0x40;
        int slow = 0x80;
    };

    Autopilot(const ShootingScene* scene, const veru::dxt::PlayStatus* status, Masks masks,
              std::uint32_t seed = 1, Attention attention = {}, int maxContinues = 9);

    bool setup(veru::platform::InputSystem*, veru::platform::Window*) override { return true; }
    int poll() override;

    // A new scene to play (the same object is fine); positions are forgotten.
    void attach(const ShootingScene* scene, const veru::dxt::PlayStatus* status);

    // The chance that a lapse starts on this view.
    double lapseChance(const FieldView& view) const;

    // What it pressed so far.
    int getContinuesChosen() const { return continuesChosen; }
    int getBombsPressed() const { return bombsPressed; }
    int getKintubasPressed() const { return kintubasPressed; }

    // The decision during play on a view, with the gauge and the stock;
    // `vulnerable` is false while the player cannot be hit (no bomb then).
    int playWord(const FieldView& view, int gauge, int stock, bool vulnerable);

    // Stock is kept for the boss: before it the kintuba is pressed on an
    // empty gauge only when the stock is full (so that no pick-up is
    // wasted); in the boss fight on any empty gauge. Refilling earlier in
    // the boss's pinch was measured to cost more lives, not fewer: the
    // stock then runs out before the fight ends, and with it the bombs.
    static constexpr int kStockFull = 8;
    static bool wantsKintuba(const FieldView& view, int gauge, int stock);

  private:
    int menuWord(int phase);
    // The view without the threats too new to have been noticed.
    FieldView noticed(const FieldView& view) const;

    const ShootingScene* scene;
    const veru::dxt::PlayStatus* status;
    Masks masks;
    int maxContinues;
    FieldReader reader;
    MovePlanner planner;
    Attention attention;
    std::mt19937 random;
    int lapseLeft = 0;
    int lastWord = 0;
    int lastPhase = -1;
    int phaseFrames = 0;
    int continuesChosen = 0;
    int bombsPressed = 0;
    int kintubasPressed = 0;
};

}  // namespace ml::playtest
