#pragma once
// What the scene loop does with the request a scene left after its frame.
//
// A scene leaves by a named exit (next and previous are the exits next and
// back); the flow table (SceneFlow.h) says which scene that exit leads to,
// and the manager jumps there. A jump to a scene number (4) goes there
// directly. An exit the table has no row for shows
// "通っちゃいけないところを通ってるよ！" once and is dropped; an unknown
// request code shows it and stays set. After a switch the timer runs at the
// new scene's own frame rate, entering a talk around a heroine's stage
// resets the player's stock and the last stage's score, and the scene the
// new one likely goes on to (the flow row marked readAhead) starts being
// prepared on a worker (SceneManager::prepareAhead). Quitting (1) is the
// loop's own business and not handled here.
//
// A scene may also say before it leaves which exit it will most likely take
// (Scene::expectExit); prepareExpectedScene then starts preparing where that
// exit leads, as a flow row marked readAhead does at the switch.
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

// Returns true when a switch was attempted or the request was unknown,
// false for 0 and for an exit that leads nowhere.
bool applySceneRequest(veru::dxt::SceneManager& manager, veru::dxt::Scene& scene,
                       veru::dxt::FrameTimer& timer, veru::dxt::PlayStatus& status,
                       GameSetting& setting);

// Takes the current scene's newly expected exit, if any, and starts
// preparing the scene it leads to for `character` (PlayStatus::character).
// Nothing for an exit that leads nowhere, nor when that scene's preparation
// was already started since the last switch. True when one was started.
bool prepareExpectedScene(veru::dxt::SceneManager& manager, int character);

}  // namespace ml
