#pragma once
// ComponentFactory: makes menu items for one device.
//
// Ownership: borrows the device; the items it makes belong to the caller.
// Thread: main thread only.
// Failure: newSelectComponent passes on the loader's exceptions.

#include <memory>

#include "engine/core/YString.h"
#include "engine/graphics/Color.h"
#include "engine/graphics/FontSpec.h"
#include "engine/window/SelectComponent.h"

namespace veru::dxt {

class ComponentFactory {
  public:
    explicit ComponentFactory(platform::VideoDevice* device);
    virtual ~ComponentFactory();

    // An item with both pictures loaded.
    std::unique_ptr<SelectComponent> newSelectComponent(const YString& normalPath,
                                                        const YString& selectedPath);

    const Color& getForeground() const { return foreground; }
    const Color& getBackground() const { return background; }
    const FontSpec& getFont() const { return font; }

  private:
    platform::VideoDevice* device;
    Color foreground{0, 0, 0, 255};
    Color background{255, 255, 255, 255};
    FontSpec font;
};

}  // namespace veru::dxt
