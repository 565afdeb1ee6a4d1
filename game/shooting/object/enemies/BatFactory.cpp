#include "game/shooting/object/enemies/BatFactory.h"

#include "game/shooting/object/enemies/BatTable.h"
#include "game/shooting/object/enemies/LaserBat.h"
#include "game/shooting/object/enemies/PeriodicBat.h"
#include "game/shooting/object/enemies/SequenceBat.h"
#include "game/shooting/object/enemies/VolleyBat.h"

namespace ml::shooting::object {

std::unique_ptr<EnemyObject> createBat(std::string_view name, int field_width, int field_height) {
    const int number = batNumber(name);
    if (number == 0) {
        return nullptr;
    }
    switch (batRow(number).group) {
        case BatGroup::sequence:
            return std::make_unique<SequenceBat>(field_width, field_height, number);
        case BatGroup::volley:
            return std::make_unique<VolleyBat>(field_width, field_height, number);
        case BatGroup::periodic:
            return std::make_unique<PeriodicBat>(field_width, field_height, number);
        case BatGroup::laser:
            return std::make_unique<LaserBat>(field_width, field_height, number);
    }
    return nullptr;
}

}  // namespace ml::shooting::object
