#include "engine/window/BaseComponent.h"

namespace veru::awt {

BaseComponent::BaseComponent() : font(u"ＭＳ ゴシック", 23) {}

BaseComponent::~BaseComponent() = default;

void BaseComponent::setBounds(int newX, int newY, int newWidth, int newHeight) {
    x = newX;
    y = newY;
    width = newWidth;
    height = newHeight;
}

void BaseComponent::setLocation(int newX, int newY) {
    x = newX;
    y = newY;
}

}  // namespace veru::awt
