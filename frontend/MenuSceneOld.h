#pragma once
// MenuSceneOld: the first edition's title menu — start, configuration, end
// over the title picture, greeted by Shiro's title call. Start fades out to
// the prologue talk (scene 4); the rest is TitleMenu's.
//
// Ownership, thread and failures: as TitleMenu (caption
// "MenuSceneOld::create()").

#include "frontend/TitleMenu.h"

namespace ml {

class MenuSceneOld : public TitleMenu {
  public:
    MenuSceneOld(veru::dxt::SceneManager* manager, GameSetting* setting);
    ~MenuSceneOld() override;
};

}  // namespace ml
