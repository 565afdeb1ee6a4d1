#pragma once
// YContainer: a component holding child components.
//
// update and paint go to every child in the order added; before a child
// paints, drawing is clipped to its rectangle and the rectangle is filled
// with the child's background colour.
//
// Ownership: children are borrowed and must outlive the container (or be
// removed first). Thread: main thread only.

#include <vector>

#include "engine/window/YComponent.h"

namespace veru::awt {

class YContainer : public YComponent {
  public:
    ~YContainer() override = default;
    void update() override;
    void paint(dxt::DirectGraphics& graphics) override;
    virtual void add(YComponent* child);
    std::size_t childCount() const { return children.size(); }

  protected:
    std::vector<YComponent*> children;
};

}  // namespace veru::awt
