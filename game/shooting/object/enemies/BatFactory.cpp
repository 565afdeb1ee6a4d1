#include "game/shooting/object/enemies/BatFactory.h"

#include <array>

#include "game/shooting/object/enemies/Bats.h"

namespace ml::shooting::object {

namespace {

using Maker = std::unique_ptr<EnemyObject> (*)(int, int);

template <class B>
std::unique_ptr<EnemyObject> make(int field_width, int field_height) {
    return std::make_unique<B>(field_width, field_height);
}

constexpr std::array<Maker, batCount> makers{
    &make<Bat1>,  &make<Bat2>,  &make<Bat3>,  &make<Bat4>,  &make<Bat5>,  &make<Bat6>,
    &make<Bat7>,  &make<Bat8>,  &make<Bat9>,  &make<Bat10>, &make<Bat11>, &make<Bat12>,
    &make<Bat13>, &make<Bat14>, &make<Bat15>, &make<Bat16>, &make<Bat17>, &make<Bat18>,
    &make<Bat19>, &make<Bat20>, &make<Bat21>, &make<Bat22>, &make<Bat23>, &make<Bat24>,
};

}  // namespace

std::unique_ptr<EnemyObject> createBat(std::string_view name, int field_width, int field_height) {
    const int number = batNumber(name);
    if (number == 0) {
        return nullptr;
    }
    return makers[static_cast<std::size_t>(number - 1)](field_width, field_height);
}

}  // namespace ml::shooting::object
