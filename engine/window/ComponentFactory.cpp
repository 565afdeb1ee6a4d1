#include "engine/window/ComponentFactory.h"

namespace veru::dxt {

ComponentFactory::ComponentFactory(platform::VideoDevice* d)
    : device(d), font(u"ＭＳ ゴシック", 23) {}

ComponentFactory::~ComponentFactory() = default;

std::unique_ptr<SelectComponent> ComponentFactory::newSelectComponent(const YString& normalPath,
                                                                      const YString& selectedPath) {
    auto item = std::make_unique<SelectComponent>();
    item->loadImage(device, normalPath);
    item->loadSelectedImage(device, selectedPath);
    return item;
}

}  // namespace veru::dxt
