// mlcapture: one round of the whole game (logo, title, prologue, the stage,
// the closing talk) played by the autopilot at the real frame rate, for a
// capture of its sound. The audio driver is SDL's choice of the environment,
// so that
//   SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=play.raw mlcapture
// writes the mixed output (44100 Hz, signed 16-bit, stereo) to play.raw.
// The disk driver paces itself by its buffer length (leave
// SDL_DISKAUDIODELAY unset), so the capture follows the play's own time.
// Prints each scene change with the frame and the seconds of sound mixed
// so far (to find a tune in the capture), then the totals.
// Exit status: the game's.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <typeinfo>

#include "app/GameMain.h"
#include "engine/io/Scrambler.h"
#include "engine/scene/Scene.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/SoundManger.h"
#include "frontend/LogoScene.h"
#include "tools/playtest/GamePilot.h"

int main() {
    ::setenv("SDL_VIDEODRIVER", "dummy", 0);
    // The game writes its settings and the last stage's record into the
    // current folder: play in a fresh one that links to the game's data.
    namespace fs = std::filesystem;
    const fs::path data(MIRELUNE_GAME_DIR);
    const fs::path folder =
        fs::temp_directory_path() /
        ("mlcapture-" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::error_code ec;
    fs::create_directories(folder, ec);
    for (const char* part : {"img", "sound", "script"}) {
        if (!ec)
            fs::create_directory_symlink(data / part, folder / part, ec);
    }
    if (!ec)
        fs::current_path(folder, ec);
    if (ec) {
        std::cerr << "mlcapture: cannot play in " << folder << " with the data of " << data << ": "
                  << ec.message() << "\n";
        return 1;
    }
    veru::io::registerGameFileKeys();

    ml::playtest::GamePilot pilot(1);
    veru::dxt::Scene* last = nullptr;
    int frames = 0;
    std::uint64_t mixed = 0;
    ml::GameHooks hooks;
    hooks.input = &pilot;
    hooks.afterFrame = [&](int frame, veru::dxt::Scene* scene, veru::platform::VideoDevice*) {
        frames = frame + 1;
        if (scene && scene->getManager() && scene->getManager()->getSounds())
            mixed = scene->getManager()->getSounds()->getMixedFrames();
        if (scene != last) {
            std::cout << "frame " << frame << ", " << mixed / 44100.0
                      << " s: " << (scene ? typeid(*scene).name() : "none") << std::endl;
            // Back at the logo: the round is over.
            if (last && dynamic_cast<ml::LogoScene*>(scene))
                scene->requestQuit();
        }
        last = scene;
        pilot.watch(scene);
    };
    const int status = ml::gameMain(hooks);
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(folder, ec);
    std::cout << "frames " << frames << ", mixed " << mixed / 44100.0 << " s" << std::endl;
    return status;
}
