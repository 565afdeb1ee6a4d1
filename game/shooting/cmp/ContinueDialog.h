#pragma once
// ContinueDialog: "continue?" with yes and no, after the last life is lost.
//
// open() arms the dialog. A button still held from the play when it opens
// is ignored until it has been released (MenuEntries::latchHeld); up and down move
// the selection (once per press, wrapping), the confirm button (ButtonMap
// slot 1, shoot) decides the selected entry and the cancel button (slot 2,
// special) decides yes. The decision is returned one update after the press
// that made it and on every update after that until the dialog is opened
// again: RESULT_FIRST yes, RESULT_SECOND no; RESULT_NONE before.
// The dialog reopens on the entry chosen last time.
//
// Pictures: "img/continue.ytx" (title, centred above the entries),
// "img/yes_n.ytx"/"img/yes_s.ytx", "img/no_n.ytx"/"img/no_s.ytx", and a
// 1 x 1 shade made here.
// Ownership, thread, failure: as MenuEntries.

#include <memory>

#include "game/shooting/cmp/MenuCodes.h"
#include "game/shooting/cmp/MenuEntries.h"

namespace ml::shooting::cmp {

class ContinueDialog {
  public:
    ContinueDialog(int screenWidth, int screenHeight);
    ~ContinueDialog();
    ContinueDialog(const ContinueDialog&) = delete;
    ContinueDialog& operator=(const ContinueDialog&) = delete;

    void load(veru::platform::VideoDevice* device);
    void open();
    int update(int buttons);
    void draw(veru::dxt::DirectGraphics& graphics);

    int getState() const { return state; }
    int getSelection() const { return entries.getSelection(); }
    const MenuEntries& getEntries() const { return entries; }

  private:
    int state = MENU_BUILT;
    MenuEntries entries;
    std::unique_ptr<veru::dxt::material::Texture> titleTexture;
};

}  // namespace ml::shooting::cmp
