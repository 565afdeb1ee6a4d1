#include "engine/window/YContainer.h"

#include "engine/graphics/DirectGraphics.h"
#include "engine/platform/video/VideoDevice.h"

namespace veru::awt {

void YContainer::update() {
    for (YComponent* child : children) {
        if (child) {
            child->update();
        }
    }
}

void YContainer::paint(dxt::DirectGraphics& graphics) {
    platform::VideoDevice* device = graphics.getDevice();
    for (YComponent* child : children) {
        if (!child) {
            continue;
        }
        if (device) {
            platform::PixelRect area{child->getX(), child->getY(), child->getWidth(),
                                     child->getHeight()};
            device->setClip(&area);
            device->fillRect(area, child->getBackground().pack());
        }
        graphics.setTextColor(child->getForeground());
        child->paint(graphics);
        if (device) {
            device->setClip(nullptr);
        }
    }
}

void YContainer::add(YComponent* child) {
    children.push_back(child);
}

}  // namespace veru::awt
