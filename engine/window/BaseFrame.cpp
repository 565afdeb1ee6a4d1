#include "engine/window/BaseFrame.h"

#include <string>

#include "engine/core/MessageBox.h"
#include "engine/platform/video/Window.h"
#include "engine/window/WindowIcon.h"

namespace veru::awt {

namespace {
BaseFrame* currentFrame = nullptr;
}

BaseFrame::BaseFrame(const YString& title) : className(title) {
    currentFrame = this;
}

BaseFrame::~BaseFrame() {
    if (currentFrame == this) {
        currentFrame = nullptr;
    }
}

BaseFrame* BaseFrame::current() {
    return currentFrame;
}

void BaseFrame::setSize(int w, int h) {
    clientWidth = w;
    clientHeight = h;
    outerWidth = w + 6;
    outerHeight = h + 32;
}

bool BaseFrame::createWindow() {
    std::string error;
    window =
        platform::Window::create(className.toUtf8(), clientWidth, clientHeight, fullScreen, error);
    if (!window) {
        showError(u"CreateWindowに失敗しました。", u"BaseFrame.createWindow()");
        return false;
    }
    // Our own pictures; the large one serves as the window's icon.
    WindowIcon icon = loadWindowIcon(iconName.empty() ? smallIconName : iconName);
    window->setIcon(icon.pixels.data(), icon.width, icon.height);
    window->hide();
    return true;
}

void BaseFrame::setVisible(bool visible) {
    if (!visible) {
        if (window) {
            window->hide();
        }
        running = false;
        listening = false;
        return;
    }
    if (outerWidth == 0 || outerHeight == 0) {
        showError(YString(u"ウィンドウのサイズが適切でありません。(") +
                  YString::fromInt(outerWidth) + u", " + YString::fromInt(outerHeight) + u")");
        return;
    }
    if (window) {
        if (!fullScreen) {
            window->centre();
        }
        window->show();
    }
    running = true;
    listening = true;
}

void BaseFrame::close() {
    destroyWindow();
    running = false;
    listening = false;
    // The window's end ends the message loop.
    quitPosted = true;
}

void BaseFrame::destroyWindow() {
    window.reset();
}

}  // namespace veru::awt
