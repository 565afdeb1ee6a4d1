// The window frame, the pump and the component containers, on SDL's dummy video driver.
#include <gtest/gtest.h>

#include "engine/graphics/DirectGraphics.h"
#include "engine/platform/video/EventPump.h"
#include "engine/platform/video/VideoDevice.h"
#include "engine/platform/video/Window.h"
#include "engine/scene/Scene.h"
#include "engine/window/DXFrame.h"
#include "engine/window/MessagePump.h"
#include "engine/window/WindowIcon.h"
#include "tests/engine/graphics/DrawingTestSupport.h"
#include "tests/support/RecordingMessageSink.h"

namespace {

using namespace mirelune::test;
using veru::awt::DXFrame;
using veru::awt::pumpOne;

class CountingScene : public veru::dxt::Scene {
  public:
    CountingScene() : Scene(nullptr) {}
    void reset() override {}
    bool create(veru::platform::Window*, veru::platform::VideoDevice*) override {
        ++creates;
        return true;
    }
    void update(veru::dxt::event::InputInterface*) override {}
    void draw(veru::platform::VideoDevice*) override { ++draws; }
    void release() override { ++releases; }
    int creates = 0, draws = 0, releases = 0;
};

// Takes every waiting event; false once the pump reports the end.
bool drain(DXFrame& frame) {
    for (int i = 0; i < 1000; ++i) {
        if (!pumpOne(&frame)) {
            return false;
        }
    }
    return true;
}

TEST(FrameTest, SizeAndTheSizeCheckOfSetVisible) {
    RecordingMessageSink sink;
    DXFrame frame(u"MIRELUNE 体験版", false);
    frame.setVisible(true);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.messages()[0].text, u"ウィンドウのサイズが適切でありません。(0, 0)");
    EXPECT_EQ(sink.messages()[0].caption, u"エラー");
    EXPECT_FALSE(frame.isRunning());
    frame.setSize(800, 600);
    EXPECT_EQ(frame.getOuterWidth(), 806);
    EXPECT_EQ(frame.getOuterHeight(), 632);
    EXPECT_EQ(frame.getClientWidth(), 800);
    EXPECT_EQ(veru::awt::BaseFrame::current(), &frame);
}

TEST(FrameTest, WindowRendererAndPumpLifecycle) {
    RecordingMessageSink sink;
    DXFrame frame(u"MIRELUNE 体験版", false);
    frame.setIcon(u"ICON");
    frame.setSmallIcon(u"SMALL_ICON");
    frame.setSize(800, 600);
    ASSERT_TRUE(frame.createWindow());
    EXPECT_EQ(sink.count(), 0u);
    ASSERT_NE(frame.getDevice(), nullptr);
    EXPECT_NE(frame.getDevice()->getKind(), veru::platform::VideoDevice::Kind::offscreen);
    EXPECT_EQ(frame.getWindow()->getClientWidth(), 800);
    EXPECT_FALSE(frame.getWindow()->isShown());

    // Hidden and not running: an empty queue ends the loop.
    EXPECT_FALSE(drain(frame));
    frame.setVisible(true);
    EXPECT_TRUE(frame.isRunning());
    EXPECT_TRUE(frame.getWindow()->isShown());
    EXPECT_TRUE(drain(frame));

    CountingScene scene;
    frame.getRenderer()->setClearColor(veru::dxt::Color(0, 0, 255));
    frame.getRenderer()->render(&scene);
    EXPECT_EQ(scene.draws, 1);
    EXPECT_TRUE(rgbNear(readFrame(*frame.getDevice()).at(400, 300), 0xFF0000FFu));

    // A quit request (as closing the window gives) ends the loop for good.
    ASSERT_TRUE(veru::platform::postQuitEvent());
    EXPECT_FALSE(drain(frame));
    EXPECT_FALSE(pumpOne(&frame));
}

TEST(FrameTest, ScreenModeSwitchesRecreateTheSceneOnlyOnChange) {
    RecordingMessageSink sink;
    DXFrame frame(u"MIRELUNE 体験版", false);
    frame.setSize(800, 600);
    ASSERT_TRUE(frame.createWindow());
    frame.setVisible(true);
    CountingScene scene;
    frame.getRenderer()->render(&scene);
    frame.setScreenMode(false);
    EXPECT_EQ(scene.creates, 0);
    frame.setScreenMode(true);
    EXPECT_TRUE(frame.isFullScreen());
    EXPECT_EQ(scene.releases, 1);
    EXPECT_EQ(scene.creates, 1);
    frame.toggleScreenMode();
    EXPECT_FALSE(frame.isFullScreen());
    EXPECT_EQ(scene.creates, 2);
    // The back buffer keeps its size in either mode.
    EXPECT_EQ(frame.getDevice()->getWidth(), 800);
    EXPECT_EQ(sink.count(), 0u);
}

// Window sizes are whole multiples of the picture, as many as the desktop
// (1024 x 768 on the dummy driver) has room for; the picture keeps its size.
TEST(FrameTest, WindowSizesAreWholeMultiplesThatFitTheDesktop) {
    RecordingMessageSink sink;
    DXFrame frame(u"MIRELUNE 体験版", false);
    frame.setSize(300, 200);
    frame.setWindowScale(2);  // before the window: kept for it
    ASSERT_TRUE(frame.createWindow());
    frame.setVisible(true);
    auto size = [&] {
        int w = 0, h = 0;
        frame.getWindow()->currentSize(w, h);
        return std::pair{w, h};
    };
    EXPECT_EQ(frame.maxWindowScale(), 3);
    EXPECT_EQ(frame.getWindowScale(), 2);
    EXPECT_EQ(size(), (std::pair{600, 400}));
    frame.setWindowScale(9);  // more than fits: the largest that does
    EXPECT_EQ(frame.getWindowScale(), 3);
    EXPECT_EQ(size(), (std::pair{900, 600}));
    frame.setScreenMode(true);
    frame.setScreenMode(false);  // back from full screen at the chosen size
    EXPECT_EQ(size(), (std::pair{900, 600}));
    frame.setWindowScale(0);
    EXPECT_EQ(size(), (std::pair{300, 200}));
    EXPECT_EQ(frame.getDevice()->getWidth(), 300);
    EXPECT_EQ(sink.count(), 0u);
}

TEST(FrameTest, CloseEndsTheLoop) {
    DXFrame frame(u"MIRELUNE 体験版", false);
    frame.setSize(800, 600);
    ASSERT_TRUE(frame.createWindow());
    frame.setVisible(true);
    frame.close();
    EXPECT_EQ(frame.getWindow(), nullptr);
    EXPECT_EQ(frame.getDevice(), nullptr);
    EXPECT_FALSE(pumpOne(&frame));
}

TEST(FrameTest, MouseEventsReachOnlyRegisteredListeners) {
    RecordingMessageSink sink;
    DXFrame frame(u"t", false);
    veru::platform::PumpedEvent press;
    press.kind = veru::platform::PumpedEvent::Kind::mouseButton;
    press.x = 12;
    press.y = 34;
    press.button = 2;
    frame.handleMessage(press);
    EXPECT_EQ(sink.count(), 0u);
    frame.addMouseListener(&frame);  // the frame's own debugging handler
    frame.handleMessage(press);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.messages()[0].text, u"(X, Y) = (12, 34)");
    EXPECT_EQ(sink.messages()[0].caption, u"表示");
    ASSERT_EQ(frame.getMouseRecords().size(), 1u);
    EXPECT_EQ(frame.getMouseRecords()[0].value, 2);
}

TEST(WindowIconTest, DrawnIconHasAPicture) {
    veru::awt::WindowIcon icon = veru::awt::loadWindowIcon(u"NO_SUCH_ICON");
    EXPECT_EQ(icon.width, 32);
    ASSERT_EQ(icon.pixels.size(), 32u * 32u);
    EXPECT_EQ(icon.pixels[0], 0u);                      // corner outside the disc
    EXPECT_EQ(icon.pixels[16 * 32 + 16] >> 24, 0xFFu);  // opaque middle
}

// A component that records what happened to it.
class Probe : public veru::awt::YComponent {
  public:
    explicit Probe(std::vector<int>& log, int id) : log(log), id(id) {}
    void update() override { log.push_back(id); }
    void paint(veru::dxt::DirectGraphics&) override { log.push_back(-id); }
    std::vector<int>& log;
    int id;
};

TEST(ContainerTest, UpdatesAndPaintsChildrenInOrderInsideTheirRectangles) {
    std::vector<int> log;
    Probe a(log, 1), b(log, 2);
    a.setBounds(10, 10, 5, 5);
    a.setBackground(veru::dxt::Color(255, 0, 0));
    b.setBounds(100, 100, 5, 5);
    veru::awt::YContainer container;
    container.add(&a);
    container.add(nullptr);
    container.add(&b);
    container.update();
    auto device = makeOffscreenDevice();
    veru::dxt::DirectGraphics graphics(device.get());
    device->clear(0xFF000000u);
    container.paint(graphics);
    EXPECT_EQ(log, (std::vector<int>{1, 2, -1, -2}));
    Frame f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(12, 12), 0xFFFF0000u));
    EXPECT_TRUE(rgbNear(f.at(102, 102), 0xFFFFFFFFu));  // white by default
    EXPECT_TRUE(rgbNear(f.at(50, 50), 0xFF000000u));
}

}  // namespace
