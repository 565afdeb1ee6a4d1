#include "engine/input/ButtonMap.h"

#include <gtest/gtest.h>

#include "engine/exceptions/ArrayIndexOutOfBoundsException.h"

using veru::dxt::event::ButtonMap;

TEST(ButtonMap, EverySlotStartsOnButtonOne) {
    ButtonMap map;
    for (int n = 1; n <= ButtonMap::kSlots; ++n)
        EXPECT_EQ(map.mask(n), 0x10) << n;
}

TEST(ButtonMap, AMaskOfTwoBitsIsHeldByEitherButton) {
    ButtonMap map;
    map.setMask(ButtonMap::kShoot, 0x30);
    EXPECT_TRUE(map.held(ButtonMap::kShoot, 0x10));
    EXPECT_TRUE(map.held(ButtonMap::kShoot, 0x20 | 0x1));
    EXPECT_FALSE(map.held(ButtonMap::kShoot, 0x40 | 0xF));
}

TEST(ButtonMap, SlotsOutsideOneToTenThrowWithTheZeroBasedIndex) {
    ButtonMap map;
    for (int bad : {0, 11, -3}) {
        try {
            map.mask(bad);
            FAIL() << bad;
        } catch (const veru::excp::ArrayIndexOutOfBoundsException& e) {
            EXPECT_EQ(e.getMessage(),
                      veru::YString(u"ArrayIndexOutOfBoundsException::"
                                    u"不正なインデックスを使って配列がアクセスされました：") +
                          veru::YString::fromInt(bad - 1));
        }
        EXPECT_THROW(map.setMask(bad, 0x10), veru::excp::ArrayIndexOutOfBoundsException);
    }
}
