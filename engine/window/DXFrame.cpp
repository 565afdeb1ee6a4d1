#include "engine/window/DXFrame.h"

#include "engine/core/MessageBox.h"
#include "engine/platform/video/Window.h"

namespace veru::awt {

DXFrame::DXFrame(const YString& title, bool full)
    : BaseFrame(title), renderer(std::make_unique<dxt::Renderer>()) {
    fullScreen = full;
}

DXFrame::~DXFrame() {
    destroyWindow();
}

bool DXFrame::createWindow() {
    if (!BaseFrame::createWindow()) {
        return false;
    }
    if (!renderer->initialize(window.get(), fullScreen, clientWidth, clientHeight)) {
        showError(u"Rendererの初期化に失敗しました。", u"DXFrame.setVisible()");
    }
    platform::Window::setCursorVisible(!fullScreen);
    if (windowScale != 1)
        setWindowScale(windowScale);
    return true;
}

void DXFrame::setWindowScale(int scale) {
    windowScale = scale;
    if (window) {
        window->setScale(scale);
        windowScale = window->getScale();
    }
}

int DXFrame::maxWindowScale() const {
    return window ? window->maxScale() : 1;
}

void DXFrame::destroyWindow() {
    renderer->releaseDevice();
    BaseFrame::destroyWindow();
}

void DXFrame::setScreenMode(bool full) {
    if (full != fullScreen) {
        fullScreen = full;
        applyScreenMode();
    }
}

void DXFrame::toggleScreenMode() {
    fullScreen = !fullScreen;
    applyScreenMode();
}

void DXFrame::applyScreenMode() {
    if (window) {
        window->setFullScreen(fullScreen);
        window->show();
    }
    if (renderer->getScene()) {
        renderer->resetForMode(window.get(), fullScreen);
    }
    platform::Window::setCursorVisible(!fullScreen);
}

void DXFrame::handleMessage(const platform::PumpedEvent& event) {
    using Kind = platform::PumpedEvent::Kind;
    if (event.kind == Kind::mouseButton && mouseListener &&
        (event.button == 1 || event.button == 2)) {
        mouseListener->mousePressed(event.x, event.y, event.button, 1);
    } else if (event.kind == Kind::mouseWheel && wheelListener) {
        wheelListener->mouseWheelMoved(event.wheel);
    } else if (event.kind == Kind::focusLost) {
        noteFocusLost();
    }
}

void DXFrame::mousePressed(int x, int y, int button, int count) {
    showInformation(YString(u"(X, Y) = (") + YString::fromInt(x) + u", " + YString::fromInt(y) +
                    u")");
    pressRecords.push_back(MouseRecord{x, y, button, count});
    if (pressRecords.size() > maxRecords) {
        pressRecords.pop_front();
    }
}

void DXFrame::mouseWheelMoved(int rotation) {
    showInformation(YString(u"回転数 = ") + YString::fromInt(rotation));
    wheelRecords.push_back(MouseRecord{0, 0, rotation, 1});
    if (wheelRecords.size() > maxRecords) {
        wheelRecords.pop_front();
    }
}

}  // namespace veru::awt
