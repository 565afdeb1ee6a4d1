#pragma once
// PauseMenu: return to the game, retry (the stage again from its start),
// return to the title, end the game.
//
// open() arms the menu: the first update after it reads no button; from the
// second one, up and down move the selection (once per press, wrapping) and
// the confirm button (ButtonMap slot 1, shoot) decides. A button still held
// from the play when the menu opens (the shot, nearly always) counts only
// after it has been released (MenuEntries::latchHeld), so the menu stays
// open under a held shot. The decision is
// returned on the update of the press and on every update after it until the
// menu is opened again: kResume, kRetry, kTitle or kQuit (the result codes
// in entry order); RESULT_NONE before.
// The menu reopens on the entry chosen last time.
//
// Pictures: "img/return_game_n.ytx"/"_s", "img/retry_n.ytx"/"_s",
// "img/return_title_n.ytx"/"_s", "img/end_game_n.ytx"/"_s" (normal/selected),
// and a 1 x 1 shade made here.
// Ownership, thread, failure: as MenuEntries.

#include "game/shooting/cmp/MenuCodes.h"
#include "game/shooting/cmp/MenuEntries.h"

namespace ml::shooting::cmp {

class PauseMenu {
  public:
    static constexpr int kResume = RESULT_FIRST;
    static constexpr int kRetry = RESULT_SECOND;
    static constexpr int kTitle = RESULT_THIRD;
    static constexpr int kQuit = RESULT_FOURTH;

    PauseMenu(int screenWidth, int screenHeight);
    ~PauseMenu();
    PauseMenu(const PauseMenu&) = delete;
    PauseMenu& operator=(const PauseMenu&) = delete;

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
};

}  // namespace ml::shooting::cmp
