// Colours, the degree tables and the renderer's frame.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/exceptions/IllegalArgumentException.h"
#include "engine/graphics/Color.h"
#include "engine/graphics/DegreeTable.h"
#include "engine/graphics/Renderer.h"
#include "engine/scene/Scene.h"
#include "tests/engine/graphics/DrawingTestSupport.h"
#include "tests/support/RecordingMessageSink.h"

namespace {

using veru::dxt::Color;
using veru::dxt::DegreeTable;

std::u16string messageOf(int r, int g, int b, int a) {
    try {
        Color c(r, g, b, a);
    } catch (const veru::excp::IllegalArgumentException& e) {
        return e.getMessage();
    }
    return u"";
}

TEST(ColorTest, ComponentsAreCheckedInOrder) {
    EXPECT_EQ(messageOf(256, -1, 0, 0), u"赤成分が0～255の値でありません。");
    EXPECT_EQ(messageOf(0, -1, 300, 0), u"緑成分が0～255の値でありません。");
    EXPECT_EQ(messageOf(0, 0, 256, 0), u"青成分が0～255の値でありません。");
    EXPECT_EQ(messageOf(0, 0, 0, -1), u"α成分が0～255の値でありません。");
    EXPECT_EQ(messageOf(0, 255, 0, 255), u"");
}

TEST(ColorTest, PacksAsArgb) {
    EXPECT_EQ(Color(0x12, 0x34, 0x56, 0x78).pack(), 0x78123456u);
    EXPECT_EQ(Color(1, 2, 3).pack(), 0xFF010203u);
    Color c = Color::fromPacked(0x80FF0010u);
    EXPECT_EQ(c.getAlpha(), 0x80);
    EXPECT_EQ(c.getRed(), 0xFF);
    EXPECT_EQ(c.getBlue(), 0x10);
}

TEST(DegreeTableTest, WholeDegreesAnyTurn) {
    EXPECT_FLOAT_EQ(DegreeTable::sine(90), 1.0f);
    EXPECT_NEAR(DegreeTable::cosine(90), 0.0f, 1e-6);
    EXPECT_FLOAT_EQ(DegreeTable::sine(-90), DegreeTable::sine(270));
    EXPECT_FLOAT_EQ(DegreeTable::cosine(360), 1.0f);
    EXPECT_FLOAT_EQ(DegreeTable::tangent(45),
                    static_cast<float>(std::tan(45 * 3.1415927f / 180.0f)));
    EXPECT_FLOAT_EQ(DegreeTable::radian(180), 180 * 3.1415927f / 180.0f);
}

// A scene that paints one pixel and counts what the renderer asked of it.
class CountingScene : public veru::dxt::Scene {
  public:
    CountingScene() : Scene(nullptr) {}
    void reset() override {}
    bool create(veru::platform::Window*, veru::platform::VideoDevice* device) override {
        ++creates;
        readBackBufferSize(device);
        return true;
    }
    void update(veru::dxt::event::InputInterface*) override {}
    void draw(veru::platform::VideoDevice*) override { ++draws; }
    void release() override { ++releases; }
    int creates = 0, draws = 0, releases = 0;
};

TEST(RendererTest, ClearsDrawsAndResetsTheScene) {
    mirelune::test::RecordingMessageSink sink;
    veru::dxt::Renderer renderer;
    CountingScene scene;
    renderer.render(&scene);  // no device yet: nothing
    EXPECT_EQ(scene.draws, 0);
    ASSERT_TRUE(renderer.initialize(nullptr, false, 800, 600));
    renderer.setClearColor(Color(10, 20, 30));
    renderer.render(&scene);
    EXPECT_EQ(scene.draws, 1);
    auto f = mirelune::test::readFrame(*renderer.getDevice());
    EXPECT_TRUE(mirelune::test::rgbNear(f.at(400, 300), 0xFF0A141Eu));
    EXPECT_TRUE(renderer.resetForMode(nullptr, true));
    EXPECT_EQ(scene.releases, 1);
    EXPECT_EQ(scene.creates, 1);
    EXPECT_EQ(scene.getWidth(), 800);
    EXPECT_EQ(scene.getHeight(), 600);
    // Without a device the size stays and the failure is shown.
    scene.readBackBufferSize(nullptr);
    EXPECT_EQ(scene.getWidth(), 800);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.messages()[0].text, u"バックバッファの取得失敗…(´・ω・)");
    EXPECT_EQ(sink.messages()[0].caption, u"エラー");
}

}  // namespace
