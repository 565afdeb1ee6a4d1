#include "tools/playtest/Autopilot.h"
#include <cmath>

#include "engine/scene/PlayStatus.h"
#include "game/ShootingScene.h"
#include "game/StagePhase.h"
#include "game/shooting/cmp/ContinueDialog.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/players/PlayerCharacter.h"

namespace ml::playtest {

using namespace ml::shooting::object;

Autopilot::Autopilot(const ShootingScene* scene, const veru::dxt::PlayStatus* status, Masks masks,
                     std::uint32_t seed, Attention attention, int maxContinues)
    : scene(scene),
      status(status),
      masks(masks),
      maxContinues(maxContinues),
      attention(attention),
      random(seed) {}

void Autopilot::attach(const ShootingScene* s, const veru::dxt::PlayStatus* st) {
    scene = s;
    status = st;
    reader.clear();
    lastWord = 0;
    lastPhase = -1;
    phaseFrames = 0;
}

double Autopilot::lapseChance(const FieldView& view) const {
    // Attention wanders when little happens and holds when the field is
    // busy: every threat close by makes a lapse that much less likely.
    if (attention.busyThreats <= 0)
        return attention.lapsePerFrame;
    int near = 0;
    for (const Threat& t : view.threats) {
        if (std::abs(t.x - view.x) < attention.busyDistance &&
            std::abs(t.y - view.y) < attention.busyDistance)
            ++near;
    }
    return attention.lapsePerFrame / (1.0 + double(near) / attention.busyThreats);
}

bool Autopilot::wantsKintuba(const FieldView& view, int gauge, int stock) {
    if (stock <= 0 || gauge > 0)
        return false;
    return view.bossFight || stock >= kStockFull;
}

FieldView Autopilot::noticed(const FieldView& view) const {
    FieldView seen = view;
    std::erase_if(seen.threats, [&](const Threat& t) { return t.age < attention.reactionFrames; });
    return seen;
}

int Autopilot::playWord(const FieldView& view, int gauge, int stock, bool vulnerable) {
    if (lapseLeft > 0) {
        // Not looking: keep the move (and the slow button) held, press nothing new.
        --lapseLeft;
        lastWord = masks.shoot |
                   (lastWord & (kButtonUp | kButtonDown | kButtonLeft | kButtonRight | masks.slow));
        return lastWord;
    }
    if (attention.lapsePerFrame > 0 &&
        std::uniform_real_distribution<double>(0, 1)(random) < lapseChance(view))
        lapseLeft =
            std::uniform_int_distribution<int>(attention.lapseMin, attention.lapseMax)(random);
    int word = masks.shoot;
    const Move move = planner.plan(attention.reactionFrames > 0 ? noticed(view) : view);
    word |= move.directions;
    if (move.slow)
        word |= masks.slow;
    // Hotaru changes weapon on each fresh press of the slow button.
    if (view.weapon != 0 && view.weapon != view.wantedWeapon && !(lastWord & masks.slow))
        word |= masks.slow;
    // Kintuba and bomb act on a fresh press: never two frames running.
    const bool pressedBefore = (lastWord & (masks.special | masks.bomb)) != 0;
    if (!pressedBefore) {
        if (vulnerable && move.doomed && stock >= 3) {
            word |= masks.bomb;
            ++bombsPressed;
        } else if (wantsKintuba(view, gauge, stock)) {
            word |= masks.special;
            ++kintubasPressed;
        }
    }
    lastWord = word;
    return word;
}

int Autopilot::menuWord(int phase) {
    switch (phase) {
        case stage::kTalk:
            // Every other frame, so each box sees a fresh press.
            return (lastWord & masks.shoot) ? 0 : masks.shoot;
        case stage::kPaused:
            return phaseFrames == 3 ? masks.shoot : 0;  // "return to the game"
        case stage::kResults:
            // On past the results card, keeping no replay.
            return (lastWord & masks.shoot) ? 0 : masks.shoot;
        case stage::kContinue: {
            if (phaseFrames < 3 || (lastWord != 0))
                return 0;  // let go of what the play held, one frame between presses
            const bool yes = continuesChosen < maxContinues;
            const shooting::cmp::ContinueDialog* dialog = scene->getContinueDialog();
            const int want = yes ? 0 : 1;
            if (dialog && dialog->getSelection() != want)
                return want == 0 ? kButtonUp : kButtonDown;
            if (yes)
                ++continuesChosen;
            return masks.shoot;
        }
        default:
            return 0;
    }
}

int Autopilot::poll() {
    if (!scene)
        return 0;
    const int phase = scene->getPhase();
    if (phase != lastPhase) {
        lastPhase = phase;
        phaseFrames = 0;
    } else {
        ++phaseFrames;
    }
    int word = 0;
    const PlayerCharacter* player = scene->getPlayer();
    if ((phase == stage::kShooting || phase == stage::kBossApproach ||
         phase == stage::kBossBattle) &&
        player) {
        const FieldView view = reader.read(*scene);
        const int state = player->getState();
        const bool controllable =
            state == STATE_ACTIVE || state == STATE_RECOVER || state == STATE_BOMB;
        if (controllable) {
            const int stock = status && stage::stockTakesEffect(phase, state) ? status->stock : 0;
            word = playWord(view, status ? status->gauge : 1, stock, state == STATE_ACTIVE);
        }
    } else {
        word = menuWord(phase);
    }
    lastWord = word;
    return word;
}

}  // namespace ml::playtest
