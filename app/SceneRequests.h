#pragma once
// What the scene loop does with the request a scene left after its frame.
//
// 2 next, 3 previous and 4 jump switch scenes through the manager, with two
// turns of the game's own (GameMain.h numbers the scenes): a jump to Shiro's
// prologue (the menu's start) goes to the prologue of the heroine the play
// status names, and "next" from either closing goes to the logo. Then a
// talk scene (exactly an AdventureScene) runs at 30 frames per second and
// resets the player's stock and the last stage's score, any other scene at
// 60. Any code outside 0-4 shows "通っちゃいけないところを通ってるよ！" and
// stays set. Quitting (1) is the loop's own business and not handled here.
//
// Thread: main thread.
// Failure: the manager's exceptions pass through.

namespace veru::dxt {
class FrameTimer;
class PlayStatus;
class Scene;
class SceneManager;
}  // namespace veru::dxt

namespace ml {

class GameSetting;

// The scene numbers of one heroine's story.
struct HeroineScenes {
    int prologue;
    int stage;
    int closing;
};
// Hotaru's for character 2, else Shiro's.
HeroineScenes heroineScenes(int character);

// Returns true when a switch was attempted or the request was unknown (the
// fps rule then applies), false for 0.
bool applySceneRequest(veru::dxt::SceneManager& manager, veru::dxt::Scene& scene,
                       veru::dxt::FrameTimer& timer, veru::dxt::PlayStatus& status,
                       GameSetting& setting);

}  // namespace ml
