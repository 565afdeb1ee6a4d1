// The six pick-ups: their pictures, margins and sounds, the wait off the
// field, the drift and the edge, and what the player can collect.
#include <gtest/gtest.h>

#include "engine/exceptions/FileNotFoundException.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/items/ChanceItem.h"
#include "game/shooting/object/items/ChanceItemK.h"
#include "game/shooting/object/items/KintubaItem.h"
#include "game/shooting/object/items/KintubaItemK.h"
#include "game/shooting/object/items/LevelUpItem.h"
#include "game/shooting/object/items/LevelUpItemK.h"
#include "tests/game/shooting/object/players/PlayersTestSupport.h"

namespace {

using namespace mirelune::test;
using namespace ml::shooting::object;

class ItemsTest : public PlayersTest {
  protected:
    void SetUp() override {
        PlayersTest::SetUp();
        for (const char16_t* name : {u"img/lintuba.ytx", u"img/lintubaK.ytx", u"img/kintuba.ytx",
                                     u"img/kintubaK.ytx", u"img/chance.ytx", u"img/chanceK.ytx"}) {
            writePicture(name, 24, 20);
        }
    }

    template <typename Item>
    std::unique_ptr<Item> loaded() {
        auto item = std::make_unique<Item>(800, 480);
        item->loadTexture(device.get());
        item->loadSound(sounds);
        return item;
    }
};

TEST_F(ItemsTest, EachItemHasItsPictureMarginsAndSound) {
    struct Expected {
        std::unique_ptr<PickupItem> item;
        const char16_t* picture;
        HitRect hit;  // for a 24 x 20 picture centred at (0, 0)
        const char16_t* sound;
    };
    Expected all[] = {
        {std::make_unique<LevelUpItem>(800, 480),
         u"img/lintuba.ytx",
         {-9, -4, 9, 4},
         u"sound/level_up.wav"},
        {std::make_unique<LevelUpItemK>(800, 480),
         u"img/lintubaK.ytx",
         {-9, -7, 9, 7},
         u"sound/level_up.wav"},
        {std::make_unique<KintubaItem>(800, 480),
         u"img/kintuba.ytx",
         {-9, -4, 9, 4},
         u"sound/start.wav"},
        {std::make_unique<KintubaItemK>(800, 480),
         u"img/kintubaK.ytx",
         {-9, -7, 9, 7},
         u"sound/start.wav"},
        {std::make_unique<ChanceItem>(800, 480),
         u"img/chance.ytx",
         {-6, -4, 6, 4},
         u"sound/start.wav"},
        {std::make_unique<ChanceItemK>(800, 480),
         u"img/chanceK.ytx",
         {-6, -4, 6, 4},
         u"sound/start.wav"},
    };
    for (Expected& e : all) {
        EXPECT_EQ(veru::YString(e.item->getLook().picture), veru::YString(e.picture));
        EXPECT_EQ(veru::YString(e.item->getLook().sound), veru::YString(e.sound));
        EXPECT_EQ(e.item->getKind(), KIND_ITEM);
        EXPECT_EQ(e.item->getState(), STATE_STANDBY);
        EXPECT_TRUE(e.item->ownsTexture());
        e.item->loadTexture(device.get());
        e.item->setPosition(0, 0);
        EXPECT_EQ(e.item->getHitRect(), e.hit) << veru::YString(e.picture).toAnsi();
    }
    // The twins are their originals to the scene's lists.
    LevelUpItemK twin(800, 480);
    EXPECT_NE(dynamic_cast<LevelUpItem*>(&twin), nullptr);
    EXPECT_EQ(twin.getPickupKind(), PickupKind::levelUpK);
}

TEST_F(ItemsTest, MissingPictureIsTheLoadersException) {
    std::filesystem::remove("img/chance.ytx");
    ChanceItem item(800, 480);
    EXPECT_THROW(item.loadTexture(device.get()), veru::excp::FileNotFoundException);
}

TEST_F(ItemsTest, DroppedItemDriftsLeftAndIsGoneOnIts35thUpdate) {
    auto item = loaded<KintubaItem>();
    item->setPosition(10, 200);
    item->setState(STATE_ACTIVE);
    for (int update = 1; update <= 34; ++update) {
        EXPECT_FALSE(item->update());
        ASSERT_EQ(item->getState(), STATE_ACTIVE) << "update " << update;
    }
    EXPECT_EQ(item->getX(), -24);
    EXPECT_FALSE(item->update());  // x = -25: a whole picture beyond the edge
    EXPECT_EQ(item->getState(), STATE_GONE);
    EXPECT_TRUE(item->update());
    EXPECT_EQ(item->getY(), 200);
}

TEST_F(ItemsTest, WaitingItemStaysPutAndAKilledOneIsRemovedUnseen) {
    auto item = loaded<ChanceItem>();
    for (int i = 0; i < 10; ++i) {
        EXPECT_FALSE(item->update());
    }
    EXPECT_EQ(item->getX(), -1000);
    EXPECT_EQ(item->getY(), -1000);
    // Its enemy left the field alive.
    item->kill();
    EXPECT_TRUE(item->update());
}

TEST_F(ItemsTest, DrawnInEveryState) {
    veru::dxt::DirectGraphics graphics(device.get());
    auto item = loaded<LevelUpItemK>();
    for (int state : {STATE_STANDBY, STATE_ACTIVE, STATE_GONE}) {
        item->setState(state);
        item->draw(graphics);
        EXPECT_EQ(graphics.queuedSprites(), 1u);
        graphics.flushSprites();
    }
}

}  // namespace
