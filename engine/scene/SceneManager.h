#pragma once
// SceneManager: owns the scenes and switches between them.
//
// Scenes are registered in order with a scene number. next and previous walk
// the registration order (next wraps to the first, previous stops at the
// first); jump goes to a scene number. Every switch, even to the scene that
// is already current, runs: release the old scene -> stop and destroy every
// sound -> release, reset and create the new scene.
//
// prepareAhead starts a scene's preparation (Scene::prepare) on a worker
// thread. Every switch first stops and joins a preparation under way (the
// worker ends at its next picture, so this never waits long); after the new
// scene's create (which runs under a platform::StatMemo: a picture file is
// asked about once however often it is loaded), whatever the preparation made that create did not
// take (pictures, sounds, tunes) is freed, and so is the heap memory the switch left unused.
// uploadPrepared, called once a frame, uploads the pictures a preparation has
// decoded a few at a time, so that the next create finds them on the device
// and the switch does not drop frames; play never depends on how far it got.
//
// Ownership: owns the registered scenes and the worker; borrows the frame,
// window, device and sound owner given to attach.
// Thread: main thread only (the worker runs only the scene's job).
// Failure: switching with no scene registered throws EmptyException; jumping
// to an unregistered number throws ArrayIndexOutOfBoundsException(-1) and
// keeps the current scene; a create that returns false throws Exception
// "Scene作成中に問題が起こりました。".

#include <chrono>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "engine/scene/Scene.h"

namespace veru::awt {
class DXFrame;
}
namespace veru::sound {
class ISoundOwner;
class SoundManger;
}  // namespace veru::sound

namespace veru::dxt {

class SceneManager {
  public:
    SceneManager() = default;
    ~SceneManager();
    SceneManager(const SceneManager&) = delete;
    SceneManager& operator=(const SceneManager&) = delete;

    // What scenes are created with and what is cleared at each switch.
    void attach(awt::DXFrame* frame, sound::ISoundOwner* soundManager, platform::Window* window,
                platform::VideoDevice* device);

    // Appends `scene` and maps `number` to its index.
    void add(std::unique_ptr<Scene> scene, int number);

    Scene* start();
    Scene* next();
    Scene* previous();
    Scene* jump(int number);

    // Starts preparing the scene registered as `number` for its next create,
    // replacing a preparation under way; nothing for an unknown number or a
    // scene with nothing to prepare. False when nothing was started (also
    // when no thread could be had: create then does all the work itself).
    bool prepareAhead(int number);
    // Uploads pictures the preparation has decoded so far to the device for
    // about kUploadBudget (at least one picture when any is waiting); they are
    // held until the next switch's create has taken them. Call once a frame,
    // after the frame is shown.
    void uploadPrepared();
    static constexpr std::chrono::microseconds kUploadBudget{3000};
    // True while a preparation's worker has not been joined.
    bool isPreparing() const { return preparing.joinable(); }
    // The scene number the preparation since the last switch was started
    // for, whether its worker still runs or has finished; -1 for none.
    int getPreparingNumber() const { return preparingNumber; }
    // False: prepareAhead starts nothing and every create does all its work
    // (to measure what the preparations save). True at first.
    void setReadAhead(bool on) { readAhead = on; }

    Scene* getCurrent() const { return current; }
    int getCurrentIndex() const { return currentIndex; }
    // The number the current scene was added with; -1 before start.
    int getCurrentNumber() const;
    std::size_t getSceneCount() const { return scenes.size(); }
    awt::DXFrame* getFrame() const { return frame; }
    sound::ISoundOwner* getSoundManager() const { return soundManager; }
    // The game's sound manager, or null when what was attached is another
    // kind of sound owner (tests) or nothing.
    sound::SoundManger* getSounds() const;
    platform::Window* getWindow() const { return window; }
    platform::VideoDevice* getDevice() const { return device; }

  private:
    Scene* switchTo(int index);
    // Stops the preparation under way, if any, and waits for its worker.
    void stopPreparing();
    // Frees the pictures, sounds and tunes a preparation made that no create took.
    void dropPrepared();

    int currentIndex = -1;
    awt::DXFrame* frame = nullptr;
    platform::Window* window = nullptr;
    platform::VideoDevice* device = nullptr;
    Scene* current = nullptr;
    std::vector<std::unique_ptr<Scene>> scenes;
    std::map<int, int> numbers;
    sound::ISoundOwner* soundManager = nullptr;
    bool readAhead = true;
    int preparingNumber = -1;
    // Declared last: joined before the scenes it prepares go.
    std::jthread preparing;
};

}  // namespace veru::dxt
