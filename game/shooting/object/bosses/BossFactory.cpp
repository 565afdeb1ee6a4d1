#include "game/shooting/object/bosses/BossFactory.h"

#include "game/shooting/object/bosses/BossTable.h"
#include "game/shooting/object/bosses/Duelist.h"
#include "game/shooting/object/bosses/SampleBoss.h"
#include "game/shooting/object/bosses/Sasaki.h"
#include "game/shooting/object/bosses/Seiichirou.h"
#include "game/shooting/object/bosses/Sister.h"
#include "game/shooting/object/bosses/TrialBoss.h"

namespace ml::shooting::object {

std::unique_ptr<Boss> createBoss(std::string_view name, int field_width, int field_height) {
    const BossRow* row = findBossRow(name);
    if (!row) {
        return nullptr;
    }
    switch (row->fight) {
        case BossFight::trial:
            return std::make_unique<TrialBoss>(field_width, field_height, *row);
        case BossFight::seiichirou:
            return std::make_unique<Seiichirou>(field_width, field_height, *row);
        case BossFight::duelist:
            return std::make_unique<Duelist>(field_width, field_height, *row);
        case BossFight::sample:
            return std::make_unique<SampleBoss>(field_width, field_height, *row);
        case BossFight::sister:
            return std::make_unique<Sister>(field_width, field_height, *row);
        case BossFight::sasaki:
            return std::make_unique<Sasaki>(field_width, field_height, *row);
    }
    return nullptr;
}

}  // namespace ml::shooting::object
