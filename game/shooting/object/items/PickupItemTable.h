#pragma once
// The six pick-ups and what tells them apart. The K pictures belong to the
// stage flown with Vovizovar.
//
// Thread: the table is constant.

namespace ml::shooting::object {

enum class PickupKind { levelUp, levelUpK, kintuba, kintubaK, chance, chanceK };

struct PickupLook {
    const char16_t* picture;
    int marginX;
    int marginY;
    const char16_t* sound;
};

const PickupLook& pickupLook(PickupKind kind);

}  // namespace ml::shooting::object
