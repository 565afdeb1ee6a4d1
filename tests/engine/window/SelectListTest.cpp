// Menu items and selection lists.
#include <gtest/gtest.h>

#include "engine/exceptions/FileNotFoundException.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"
#include "engine/platform/image/Image.h"
#include "engine/platform/video/DeviceTexture.h"
#include "engine/window/ComponentFactory.h"
#include "engine/window/SelectList.h"
#include "tests/engine/graphics/DrawingTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

using namespace mirelune::test;
using veru::dxt::SelectComponent;
using veru::dxt::SelectList;

constexpr int kUp = 0x1, kDown = 0x2, kLeft = 0x4, kRight = 0x8, kConfirm = 0x10;

class SelectListTest : public ::testing::Test {
  protected:
    SelectListTest() : list(true) {
        for (auto& item : items) {
            list.add(&item);
        }
    }
    int selected() const {
        int found = -1;
        for (int i = 0; i < 3; ++i) {
            if (items[i].isSelected()) {
                EXPECT_EQ(found, -1);
                found = i;
            }
        }
        return found;
    }
    SelectComponent items[3];
    SelectList list;
};

TEST_F(SelectListTest, DirectionButtonsMoveOncePerPressAndWrap) {
    EXPECT_EQ(selected(), 0);
    std::vector<int> visited;
    for (int i = 0; i < 3; ++i) {
        list.update(kDown);
        visited.push_back(selected());
        list.update(0);
    }
    EXPECT_EQ(visited, (std::vector<int>{1, 2, 0}));
    list.update(kUp);
    EXPECT_EQ(selected(), 2);
    for (int i = 0; i < 30; ++i) {
        list.update(kUp);  // held: no repeat
    }
    EXPECT_EQ(list.getIndex(), 2);
    // A vertical list ignores left and right.
    list.update(0);
    list.update(kLeft | kRight);
    EXPECT_EQ(list.getIndex(), 2);
    list.init(false);
    EXPECT_EQ(selected(), 0);
    list.update(kLeft);
    EXPECT_EQ(selected(), 2);
    list.setIndex(1);
    EXPECT_EQ(selected(), 1);
}

TEST_F(SelectListTest, ConfirmIsReportedOncePerPress) {
    std::vector<bool> reported;
    for (int buttons : {kConfirm, kConfirm, kConfirm, 0, kConfirm | kDown}) {
        reported.push_back(list.update(buttons));
    }
    EXPECT_EQ(reported, (std::vector<bool>{true, false, false, false, true}));
    EXPECT_EQ(list.getIndex(), 1);
}

TEST(ComponentTest, ItemsShowTheirPictureForTheirState) {
    TempDir dir;
    auto device = makeOffscreenDevice();
    auto writePng = [&](const std::string& name, std::uint32_t colour) {
        veru::platform::Image image;
        image.width = image.height = 10;
        image.pixels.assign(100, colour);
        Bytes bytes;
        EXPECT_TRUE(veru::platform::encodePng(image, bytes, true));
        writeBytes(dir.file(name), bytes);
        return dir.file(name);
    };
    veru::dxt::ComponentFactory factory(device.get());
    auto item =
        factory.newSelectComponent(writePng("n.png", 0xFFFF0000u), writePng("s.png", 0xFF0000FFu));
    EXPECT_EQ(item->getWidth(), 10);
    item->setLocation(20, 20);
    veru::dxt::DirectGraphics graphics(device.get());
    graphics.setCentred(true);
    device->clear(0xFF000000u);
    item->draw(graphics);
    graphics.flushSprites();
    EXPECT_TRUE(rgbNear(readFrame(*device).at(20, 20), 0xFFFF0000u));
    item->setSelected(true);
    item->draw(graphics);
    graphics.flushSprites();
    EXPECT_TRUE(rgbNear(readFrame(*device).at(16, 16), 0xFF0000FFu));

    // A highlighted picture that failed to load leaves nothing to draw while selected.
    SelectComponent broken;
    broken.loadImage(device.get(), dir.file("n.png"));
    EXPECT_THROW(broken.loadSelectedImage(device.get(), dir.file("missing.png")),
                 veru::excp::FileNotFoundException);
    broken.setSelected(true);
    broken.draw(graphics);
    EXPECT_EQ(graphics.queuedSprites(), 0u);
    broken.setSelected(false);
    broken.draw(graphics);
    EXPECT_EQ(graphics.queuedSprites(), 1u);
}

TEST(ComponentTest, TextComponentTakesThePictureSize) {
    auto device = makeOffscreenDevice();
    veru::dxt::TextureComponent label;
    label.loadText(device.get(), u"はじめから");
    EXPECT_EQ(label.getWidth(), 5 * 23);
    EXPECT_EQ(label.getHeight(), 23);
    ASSERT_NE(label.getTexture(), nullptr);
    // Black text (the foreground) on a transparent picture.
    bool ink = false;
    for (std::uint32_t p : label.getTexture()->getDeviceTexture()->getPixels()) {
        ink = ink || (p >> 24) == 0xFF;
        EXPECT_EQ(p & 0xFFFFFFu, 0u);
    }
    EXPECT_TRUE(ink);
}

TEST(ComponentTest, GivenItsOwnTextureAgainAComponentKeepsIt) {
    // Resetting the owner with the pointer it already holds used to delete
    // the picture still shown (the sanitizer build reports the use after free).
    auto device = makeOffscreenDevice();
    veru::dxt::TextureComponent component;
    auto picture = solidTexture(device.get(), 6, 4, 0xFFFF0000u);
    veru::dxt::material::Texture* kept = picture.release();
    component.setTexture(kept, true);
    component.setTexture(kept, true);
    component.setTexture(kept, false);
    EXPECT_TRUE(component.ownsTexture());
    veru::dxt::DirectGraphics graphics(device.get());
    device->clear(0xFF000000u);
    component.draw(graphics);
    graphics.flushSprites();
    EXPECT_TRUE(rgbNear(readFrame(*device).at(1, 1), 0xFFFF0000u));
}

}  // namespace
