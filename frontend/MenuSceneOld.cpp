#include "frontend/MenuSceneOld.h"

namespace ml {

namespace {
constexpr TitleItem kRows[] = {kTitleStart, kTitleConfig, kTitleQuit};
}  // namespace

MenuSceneOld::MenuSceneOld(veru::dxt::SceneManager* manager, GameSetting* setting)
    : TitleMenu(manager, setting, u"MenuSceneOld", {u"sound/title_call_siro.wav"}, kRows) {}

MenuSceneOld::~MenuSceneOld() = default;

}  // namespace ml
