#pragma once
// BaseFrame: a container that is the game's top-level window.
//
// Life: constructed (no window) -> setIcon / setSmallIcon / setSize ->
// createWindow (the window exists, hidden) -> setVisible(true) (shown
// centred, `running`) -> close -> destruction. The message pump (pumpOne)
// reports `running` when no event is waiting and passes events to
// handleMessage while the frame is `listening`.
//
// Ownership: owns the window. Thread: main thread only.
// Failure: error boxes "CreateWindowに失敗しました。" (caption
// "BaseFrame.createWindow()") and, for setVisible before setSize,
// "ウィンドウのサイズが適切でありません。(w, h)" (caption "エラー"); the
// frame carries on without a window.

#include <memory>

#include "engine/core/YString.h"
#include "engine/platform/video/EventPump.h"
#include "engine/window/YContainer.h"

namespace veru::platform {
class Window;
}

namespace veru::awt {

class BaseFrame : public YContainer {
  public:
    explicit BaseFrame(const YString& title);
    ~BaseFrame() override;
    BaseFrame(const BaseFrame&) = delete;
    BaseFrame& operator=(const BaseFrame&) = delete;

    void paint(dxt::DirectGraphics&) override {}
    virtual void setVisible(bool visible);
    // Makes the hidden window; false (after an error box) when it failed.
    virtual bool createWindow();
    // Called by the pump for each event while `listening`.
    virtual void handleMessage(const platform::PumpedEvent& event) = 0;

    // Resource names of the large and small window icons ("ICON", "SMALL_ICON").
    void setIcon(const YString& name) { iconName = name; }
    void setSmallIcon(const YString& name) { smallIconName = name; }
    // Client area w x h; the outer size becomes (w + 6) x (h + 32).
    void setSize(int width, int height);
    // Closes the window; the pump then reports the end of the loop.
    void close();

    bool isRunning() const { return running; }
    bool isListening() const { return listening; }
    bool isQuitPosted() const { return quitPosted; }
    // Marks the loop's end as the window's destruction does.
    void postQuit() { quitPosted = true; }
    int getClientWidth() const { return clientWidth; }
    int getClientHeight() const { return clientHeight; }
    int getOuterWidth() const { return outerWidth; }
    int getOuterHeight() const { return outerHeight; }
    const YString& getTitle() const { return className; }
    platform::Window* getWindow() const { return window.get(); }
    // The frame made last: the one the pump talks to by default.
    static BaseFrame* current();

  protected:
    // Destroys the window (subclasses drop what was made on it first).
    virtual void destroyWindow();

    bool fullScreen = false;
    int clientWidth = 0;
    int clientHeight = 0;
    int outerWidth = 0;
    int outerHeight = 0;
    std::unique_ptr<platform::Window> window;
    bool listening = false;
    YString iconName;
    YString smallIconName;
    YString className;
    bool running = false;
    bool quitPosted = false;
};

}  // namespace veru::awt
