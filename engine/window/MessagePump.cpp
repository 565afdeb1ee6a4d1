#include "engine/window/MessagePump.h"

#include "engine/platform/video/EventPump.h"
#include "engine/window/BaseFrame.h"

namespace veru::awt {

bool pumpOne(BaseFrame* frame) {
    if (frame && frame->isQuitPosted()) {
        return false;
    }
    platform::PumpedEvent event = platform::pollOneEvent();
    if (event.kind == platform::PumpedEvent::Kind::none) {
        return frame && frame->isRunning();
    }
    if (frame && frame->isListening()) {
        frame->handleMessage(event);
    }
    if (event.kind == platform::PumpedEvent::Kind::quit) {
        if (frame) {
            frame->postQuit();
        }
        return false;
    }
    return true;
}

}  // namespace veru::awt
