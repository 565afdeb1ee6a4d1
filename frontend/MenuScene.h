#pragma once
// MenuScene: this edition's title menu. The title picture and the items
// start, replays, configuration and end, greeted by one of three title
// calls picked at random. "Replays" fades out to the list of kept plays.
// "Start" opens the choice of heroine under it — one item per heroine, from
// her row of StageHeroine — in place of the other items. There the
// direction buttons move the highlight, the shoot action's button confirms:
// her number goes into the play status (PlayStatus::character) and the menu
// fades out to the prologue talk as the first edition's did. The bomb
// action's button backs out to the items (the button that skips a talk
// scene; the special one says "yes" in the continue dialog). Buttons held
// when the choice opens count there only after they have been released once.
//
// Ownership: as TitleMenu; the play status is borrowed and must outlive the
// scene. Thread: main thread only. Failure: as TitleMenu (caption
// "MenuScene::create()").

#include <memory>
#include <vector>

#include "engine/input/HeldButtonLatch.h"
#include "frontend/TitleMenu.h"

namespace veru::dxt {
class PlayStatus;
}

namespace ml {

class MenuScene : public TitleMenu {
  public:
    MenuScene(veru::dxt::SceneManager* manager, GameSetting* setting,
              veru::dxt::PlayStatus* status);
    ~MenuScene() override;

    void reset() override;

    // True while the choice of heroine is shown.
    bool isChoosing() const { return choosing; }
    // The highlighted heroine's number (StageHeroine::number).
    int getCharacterChoice() const;

  private:
    void createChoice(veru::dxt::ComponentFactory& factory,
                      veru::platform::VideoDevice* device) override;
    void releaseChoice() override;
    std::vector<ItemPictures> choicePictures() const override;
    void startChosen() override;
    bool updateChoice(int buttons) override;
    bool drawChoice(veru::dxt::DirectGraphics& graphics) override;

    veru::dxt::PlayStatus* status;
    bool choosing = false;
    veru::dxt::event::HeldButtonLatch latch;
    std::vector<std::unique_ptr<veru::dxt::SelectComponent>> items;
    std::unique_ptr<veru::dxt::SelectList> choice;
};

}  // namespace ml
