#pragma once
// Scene: one screen of the game (logo, menu, a talk, the stage).
//
// The scene manager drives a scene through release -> reset -> create when it
// becomes current, then calls update and draw once per frame, and release when
// it stops being current. Everything a scene loads is loaded in create and
// freed in release, so every entry into a scene starts it fresh.
//
// A scene whose create is heavy may also offer a preparation: work its
// create would do that needs neither the renderer nor the sound device
// (reading and decoding its files), which the manager runs on a worker
// while the scene before it is on screen, so that create only has to upload.
// A scene that knows, some while before it leaves, which way it will most
// likely go (a stage once it is cleared) says so with expectExit, and the
// loop then starts preparing the scene that exit leads to.
//
// Ownership: the SceneManager owns its scenes; a scene borrows its manager.
// Thread: main thread only, except the job prepare hands out.

#include <functional>
#include <optional>
#include <stop_token>
#include <utility>

#include "engine/scene/SceneRequest.h"

namespace veru::platform {
class Window;
class VideoDevice;
}  // namespace veru::platform
namespace veru::dxt::event {
class InputInterface;
}

namespace veru::dxt {

class SceneManager;

// Work run on a worker thread ahead of a scene's create. It touches only what
// it captured and the engine's preload stores (PicturePreload.h), never the
// scene itself, the renderer, the sound device or the game's random numbers,
// and nothing the play depends on may come from it: create does its whole
// work whether the job ran, ran partly or not at all. It returns soon after
// `stop` is requested, and reports nothing (create reports what fails).
using PrepareJob = std::function<void(std::stop_token stop)>;

class Scene {
  public:
    explicit Scene(SceneManager* manager) : manager(manager) {}
    virtual ~Scene() = default;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Puts every member back to its initial value; frees nothing.
    virtual void reset() = 0;
    // Loads what the scene needs. On failure the scene shows its own error
    // box and returns false.
    virtual bool create(platform::Window* window, platform::VideoDevice* device) = 0;
    // Advances the scene by one frame; may set a request.
    virtual void update(event::InputInterface* input) = 0;
    virtual void draw(platform::VideoDevice* device) = 0;
    // Frees what create loaded; harmless when nothing is held.
    virtual void release() = 0;
    // The frame rate the loop runs this scene at.
    virtual int framesPerSecond() const { return 60; }
    // The job that prepares this scene's next create (see PrepareJob), made
    // on the main thread from the scene's present settings; empty: nothing
    // to prepare.
    virtual PrepareJob prepare() { return {}; }

    void requestQuit() { request = kRequestQuit; }
    void requestNext() { request = kRequestNext; }
    void requestPrevious() { request = kRequestPrevious; }
    void requestExit(SceneExit exit) {
        request = kRequestExit;
        requestArgument = static_cast<int>(exit);
    }
    void requestScene(int number) {
        request = kRequestJump;
        requestArgument = number;
    }
    // The scene number of a jump request; clears it.
    int takeRequestArgument() {
        int number = requestArgument;
        requestArgument = 0;
        return number;
    }

    // Says that this scene will most likely leave by `exit` (a guess: it
    // may still leave another way), so that the scene it leads to can be
    // prepared meanwhile. The loop takes it once, after the frame; the
    // manager forgets one not taken when it switches to this scene again.
    void expectExit(SceneExit exit) { expectedExit = exit; }
    // The exit last expected, which is forgotten; null when none is new.
    std::optional<SceneExit> takeExpectedExit() {
        return std::exchange(expectedExit, std::nullopt);
    }

    // Reads the device's back buffer size into width and height. Without a
    // device shows "バックバッファの取得失敗…(´・ω・)" and leaves the size.
    void readBackBufferSize(platform::VideoDevice* device);

    int getRequest() const { return request; }
    // The exit a next, previous or exit request leaves by; null for the
    // other requests.
    std::optional<SceneExit> requestedExit() const;
    // Drops the request (one the loop cannot follow).
    void clearRequest() {
        request = kRequestNone;
        requestArgument = 0;
    }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    SceneManager* getManager() const { return manager; }

  protected:
    // The manager clears the request and the expected exit of a scene it
    // switches to.
    friend class SceneManager;

    int request = kRequestNone;
    int requestArgument = 0;
    std::optional<SceneExit> expectedExit;
    int width = 0;  // back buffer size, read in create
    int height = 0;
    SceneManager* manager;
};

}  // namespace veru::dxt
