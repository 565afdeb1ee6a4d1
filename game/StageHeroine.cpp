#include "game/StageHeroine.h"

#include "game/shooting/cmp/KintubaGauge.h"
#include "game/shooting/cmp/KintubaGaugeK.h"
#include "game/shooting/object/items/ChanceItemK.h"
#include "game/shooting/object/items/KintubaItemK.h"
#include "game/shooting/object/items/LevelUpItemK.h"
#include "game/shooting/object/players/Vovizovar.h"
#include "game/shooting/object/players/Vuzez.h"

namespace ml {

namespace {

using shooting::cmp::KintubaGauge;
using shooting::object::ItemObject;
using shooting::object::PlayerCharacter;
using shooting::object::Vovizovar;
using shooting::object::Vuzez;

template <typename Made, typename Base, typename... Args>
std::unique_ptr<Base> make(Args... args) {
    return std::make_unique<Made>(args...);
}

const StageHeroine kShiro{
    heroine::kShiro,
    u"script/stage_trial.dat",
    u"ShootingScene::create()",
    u"img/InfoArea.ytx",
    u"img/chance.ytx",
    u"img/kintuba.ytx",
    make<Vuzez, PlayerCharacter, int, int>,
    make<KintubaGauge, KintubaGauge, int>,
    nullptr,
    nullptr,
    nullptr,
    // The fuller the gauge, the smaller her hit area.
    [](PlayerCharacter& player, const KintubaGauge& gauge) {
        static_cast<Vuzez&>(player).setScale(gauge.ratio());
    },
    nullptr,
    nullptr,
};

const StageHeroine kHotaru{
    heroine::kHotaru,
    u"script/stage_trialK.dat",
    u"KShootingScene::create()",
    u"img/InfoAreaK.ytx",
    u"img/chanceK.ytx",
    u"img/kintubaK.ytx",
    make<Vovizovar, PlayerCharacter, int, int>,
    make<shooting::cmp::KintubaGaugeK, KintubaGauge, int>,
    make<shooting::object::ChanceItemK, ItemObject, int, int>,
    make<shooting::object::KintubaItemK, ItemObject, int, int>,
    make<shooting::object::LevelUpItemK, ItemObject, int, int>,
    nullptr,
    [](const PlayerCharacter& player) {
        return static_cast<const Vovizovar&>(player).getEmptySound();
    },
    [](PlayerCharacter& player, bool on) { static_cast<Vovizovar&>(player).setDrawSkills(on); },
};

}  // namespace

const StageHeroine& shiroHeroine() {
    return kShiro;
}

const StageHeroine& hotaruHeroine() {
    return kHotaru;
}

const StageHeroine& stageHeroine(int number) {
    return number == heroine::kHotaru ? kHotaru : kShiro;
}

}  // namespace ml
