#pragma once
// DXFrame: the game's window together with its Renderer.
//
// Windowed: a captioned 800x600 window, not resizable, centred on the
// desktop. Full screen: the desktop's full screen, the 800x600 picture scaled
// to fit and letterboxed. setScreenMode / toggleScreenMode switch while
// running; the scene being shown is then released and created again. The
// mouse cursor is shown in a window and hidden in full screen.
//
// Mouse presses and wheel turns go to registered listeners (the game
// registers none); the frame's own handlers, a debugging aid, show the event
// in an information box and keep the last few in two queues.
//
// Ownership: owns the Renderer (and through it the device); the device goes
// before the window. Listeners are borrowed. Thread: main thread only.
// Failure: "Rendererの初期化に失敗しました。" (caption "DXFrame.setVisible()")
// when no device could be made; the frame then draws nothing.

#include <deque>
#include <memory>

#include "engine/graphics/Renderer.h"
#include "engine/window/BaseFrame.h"
#include "engine/window/MouseListener.h"

namespace veru::awt {

class DXFrame : public BaseFrame, public event::MouseListener, public event::MouseWheelListener {
  public:
    struct MouseRecord {
        int x = 0;
        int y = 0;
        int value = 0;  // button, or wheel rotation
        int count = 0;
    };
    static constexpr std::size_t maxRecords = 16;

    DXFrame(const YString& title, bool fullScreen);
    ~DXFrame() override;

    bool createWindow() override;
    void handleMessage(const platform::PumpedEvent& event) override;

    void setScreenMode(bool fullScreen);
    void toggleScreenMode();
    bool isFullScreen() const { return fullScreen; }
    // The window as a whole multiple of the 800x600 picture (clamped to
    // 1 ... maxWindowScale()); at once in a window, kept for the return from
    // full screen. Before createWindow it is kept for the window to come.
    void setWindowScale(int scale);
    int getWindowScale() const { return windowScale; }
    // The largest multiple the desktop has room for (1 without a window).
    int maxWindowScale() const;

    void addMouseListener(event::MouseListener* listener) { mouseListener = listener; }
    void addMouseWheelListener(event::MouseWheelListener* listener) { wheelListener = listener; }
    void mousePressed(int x, int y, int button, int count) override;
    void mouseWheelMoved(int rotation) override;
    const std::deque<MouseRecord>& getMouseRecords() const { return pressRecords; }
    const std::deque<MouseRecord>& getWheelRecords() const { return wheelRecords; }

    // The window lost the keyboard focus (the player switched to another
    // window). takeFocusLost reports it once: true when it happened since
    // the last call. noteFocusLost is what the event does.
    void noteFocusLost() { focusLost = true; }
    bool takeFocusLost() {
        const bool lost = focusLost;
        focusLost = false;
        return lost;
    }

    dxt::Renderer* getRenderer() const { return renderer.get(); }
    platform::VideoDevice* getDevice() const { return renderer->getDevice(); }

  protected:
    void destroyWindow() override;

  private:
    void applyScreenMode();

    std::unique_ptr<dxt::Renderer> renderer;
    event::MouseListener* mouseListener = nullptr;
    event::MouseWheelListener* wheelListener = nullptr;
    std::deque<MouseRecord> pressRecords;
    std::deque<MouseRecord> wheelRecords;
    bool focusLost = false;
    int windowScale = 1;
};

}  // namespace veru::awt
