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

// The waves of the two stages (their scripts mark them), as the practice
// menu offers them; each starts at its first bat.
constexpr StagePart kShiroParts[] = {
    {u"森の入り口", u"Into the forest", 1100, nullptr},
    {u"扇と輪", u"Fans and rings", 3100, nullptr},
    {u"火の玉", u"Fireballs", 5500, nullptr},
    {u"重なる輪", u"Rings and beams", 6400, nullptr},
    {u"レーザーの山場", u"The laser wall", 9900, nullptr},
    {u"誠一郎", u"Seiichirou", 0, "TrialBoss"},
};
constexpr StagePart kHotaruParts[] = {
    {u"森の入り口", u"Into the forest", 1100, nullptr},
    {u"扇と輪", u"Fans and rings", 3100, nullptr},
    {u"岸のレーザー", u"The shore laser", 5200, nullptr},
    {u"重なる輪", u"Rings and beams", 6400, nullptr},
    {u"レーザーの山場", u"The laser wall", 9900, nullptr},
    {u"誠一郎", u"Seiichirou", 0, "TrialBoss"},
};

const StageHeroine kHeroines[] = {
    {
        .number = 1,
        .key = "shiro",
        .name = u"シロ",
        .englishName = u"Shiro",
        .prologueScript = u"script/trial.dat",
        .stageScript = u"script/stage_trial.dat",
        .closingScript = u"script/trial_ED.dat",
        .scenes = {.prologue = 4, .stage = 8, .closing = 5},
        .menuPicture = u"img/menu_startML_n.ytx",
        .menuPictureChosen = u"img/menu_startML_s.ytx",
        .autopilotWeapon = 0,
        .stageParts = kShiroParts,
        .errorCaption = u"ShootingScene::create()",
        .infoArea = u"img/InfoArea.ytx",
        .lifeIcon = u"img/chance.ytx",
        .stockIcon = u"img/kintuba.ytx",
        .makePlayer = make<Vuzez, PlayerCharacter, int, int>,
        .makeGauge = make<KintubaGauge, KintubaGauge, int>,
        .chanceItem = nullptr,
        .kintubaItem = nullptr,
        .levelUpItem = nullptr,
        // The fuller the gauge, the smaller her hit area.
        .followGauge =
            [](PlayerCharacter& player, const KintubaGauge& gauge) {
                static_cast<Vuzez&>(player).setScale(gauge.ratio());
            },
        .emptyGaugeSound = nullptr,
        .showShots = nullptr,
    },
    {
        .number = 2,
        .key = "hotaru",
        .name = u"ホタル",
        .englishName = u"Hotaru",
        .prologueScript = u"script/trialK.dat",
        .stageScript = u"script/stage_trialK.dat",
        .closingScript = u"script/trialK_ED.dat",
        .scenes = {.prologue = 6, .stage = 9, .closing = 7},
        .menuPicture = u"img/menu_startQZ_n.ytx",
        .menuPictureChosen = u"img/menu_startQZ_s.ytx",
        // Her fine sparks: at every level the fastest fire and the most
        // damage a second, at her full speed (the flame slows her while it
        // burns, the heavy shot is slow to repeat, most of the ring misses).
        .autopilotWeapon = 1,
        .stageParts = kHotaruParts,
        .errorCaption = u"KShootingScene::create()",
        .infoArea = u"img/InfoAreaK.ytx",
        .lifeIcon = u"img/chanceK.ytx",
        .stockIcon = u"img/kintubaK.ytx",
        .makePlayer = make<Vovizovar, PlayerCharacter, int, int>,
        .makeGauge = make<shooting::cmp::KintubaGaugeK, KintubaGauge, int>,
        .chanceItem = make<shooting::object::ChanceItemK, ItemObject, int, int>,
        .kintubaItem = make<shooting::object::KintubaItemK, ItemObject, int, int>,
        .levelUpItem = make<shooting::object::LevelUpItemK, ItemObject, int, int>,
        .followGauge = nullptr,
        .emptyGaugeSound =
            [](const PlayerCharacter& player) {
                return static_cast<const Vovizovar&>(player).getEmptySound();
            },
        .showShots = [](PlayerCharacter& player,
                        bool on) { static_cast<Vovizovar&>(player).setDrawSkills(on); },
    },
};

}  // namespace

std::span<const StageHeroine> heroines() {
    return kHeroines;
}

const StageHeroine& shiroHeroine() {
    return kHeroines[0];
}

const StageHeroine& hotaruHeroine() {
    return kHeroines[1];
}

const StageHeroine* findHeroine(int number) {
    for (const StageHeroine& heroine : kHeroines) {
        if (heroine.number == number)
            return &heroine;
    }
    return nullptr;
}

const StageHeroine& stageHeroine(int number) {
    const StageHeroine* found = findHeroine(number);
    return found ? *found : kHeroines[0];
}

}  // namespace ml
