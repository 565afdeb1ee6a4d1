#pragma once
// SelectList: a menu of SelectComponents; the direction buttons move the
// highlight (once per press, wrapping both ways) and the confirm button is
// reported once per press.
//
// Buttons (bits of the button word): up 0x1 / down 0x2 for a vertical list,
// left 0x4 / right 0x8 otherwise; confirm `confirmMask` (0x10).
// Ownership: the items are borrowed and must outlive the list.
// Thread: main thread only.

#include <vector>

namespace veru::dxt {

class DirectGraphics;
class SelectComponent;

class SelectList {
  public:
    explicit SelectList(bool vertical);

    // Back to the state of a new list (the items stay).
    void init(bool vertical);
    void add(SelectComponent* item);
    // Forgets every item (the index and the flags stay), for an owner whose
    // items are made afresh.
    void removeAll() { items.clear(); }
    // Highlights item i alone.
    void setIndex(int i);
    int getIndex() const { return index; }
    int count() const { return static_cast<int>(items.size()); }
    void setConfirmMask(int mask) { confirmMask = mask; }
    int getConfirmMask() const { return confirmMask; }

    // One frame of input; true in the frame the confirm button went down.
    bool update(int buttons);
    void draw(DirectGraphics& graphics);

  private:
    void markSelected();

    bool vertical;
    int index = 0;
    int confirmMask = 0x10;
    bool previousHeld = false;
    bool nextHeld = false;
    bool confirmHeld = false;
    std::vector<SelectComponent*> items;
};

}  // namespace veru::dxt
