#include "game/shooting/object/items/PickupItemTable.h"

#include <array>

namespace ml::shooting::object {

namespace {

// In the order of PickupKind.
constexpr std::array<PickupLook, 6> kLooks{{
    //  picture               margins   sound
    {u"img/lintuba.ytx", 3, 6, u"sound/level_up.wav"},
    {u"img/lintubaK.ytx", 3, 3, u"sound/level_up.wav"},
    {u"img/kintuba.ytx", 3, 6, u"sound/start.wav"},
    {u"img/kintubaK.ytx", 3, 3, u"sound/start.wav"},
    {u"img/chance.ytx", 6, 6, u"sound/start.wav"},
    {u"img/chanceK.ytx", 6, 6, u"sound/start.wav"},
}};

}  // namespace

const PickupLook& pickupLook(PickupKind kind) {
    return kLooks[static_cast<std::size_t>(kind)];
}

}  // namespace ml::shooting::object
