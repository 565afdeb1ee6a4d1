#include "game/shooting/object/BossFactory.h"

#include <array>
#include <utility>

#include "game/shooting/object/Erika.h"
#include "game/shooting/object/Kiriha.h"
#include "game/shooting/object/Maruiyatu.h"
#include "game/shooting/object/Sasaki.h"
#include "game/shooting/object/Seiichirou.h"
#include "game/shooting/object/Sister.h"
#include "game/shooting/object/TeruTeru.h"
#include "game/shooting/object/TrialBoss.h"

namespace ml::shooting::object {

namespace {

using Maker = std::unique_ptr<Boss> (*)(int, int);

template <class B>
std::unique_ptr<Boss> make(int field_width, int field_height) {
    return std::make_unique<B>(field_width, field_height);
}

constexpr std::array<std::pair<std::string_view, Maker>, 8> makers{{
    {"Maruiyatu", &make<Maruiyatu>},
    {"TeruTeru", &make<TeruTeru>},
    {"Erika", &make<Erika>},
    {"Kiriha", &make<Kiriha>},
    {"Sister", &make<Sister>},
    {"Sasaki", &make<Sasaki>},
    {"Seiichirou", &make<Seiichirou>},
    {"TrialBoss", &make<TrialBoss>},
}};

}  // namespace

std::unique_ptr<Boss> createBoss(std::string_view name, int field_width, int field_height) {
    for (const auto& [known, maker] : makers) {
        if (known == name) {
            return maker(field_width, field_height);
        }
    }
    return nullptr;
}

}  // namespace ml::shooting::object
