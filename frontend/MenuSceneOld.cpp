#include "frontend/MenuSceneOld.h"

namespace ml {

MenuSceneOld::MenuSceneOld(veru::dxt::SceneManager* manager, GameSetting* setting)
    : TitleMenu(manager, setting, u"MenuSceneOld", {u"sound/title_call_siro.wav"}) {}

MenuSceneOld::~MenuSceneOld() = default;

}  // namespace ml
