// The settings file: bytes → "setting.env" in a folder of the fuzzer's own
// → the game's settings as read at start-up. Whatever is read must survive
// a save and a second read unchanged. The folder is emptied after each
// input, so backups of broken files do not pile up.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "engine/exceptions/Exception.h"
#include "engine/input/ButtonMap.h"
#include "fuzz/SilentBoxes.h"
#include "game/settings/GameSetting.h"

namespace {

struct Folder {
    Folder()
        : path(std::filesystem::temp_directory_path() /
               ("mirelune_fuzz_settings_" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(path);
    }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    void empty() const {
        for (const auto& entry : std::filesystem::directory_iterator(path))
            std::filesystem::remove_all(entry.path());
    }
    std::filesystem::path path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Folder folder;
    static const bool silent = (mirelune::fuzz::silenceBoxes(), true);
    (void)silent;
    folder.empty();
    const std::filesystem::path file = folder.path / "setting.env";
    {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const veru::YString path = veru::YString::fromUtf8(file.string());
    veru::dxt::event::ButtonMap buttons;
    ml::GameSetting first(path, &buttons);
    try {
        first.save();
    } catch (const veru::excp::Exception&) {
        return 0;
    }
    // A map of its own: the masks live in the map, not in the settings.
    veru::dxt::event::ButtonMap secondButtons;
    const ml::GameSetting second(path, &secondButtons);
    if (first.isFullScreen() != second.isFullScreen() || first.getLevel() != second.getLevel() ||
        first.getMaskShoot() != second.getMaskShoot() ||
        first.getMaskSpecial() != second.getMaskSpecial() ||
        first.getMaskBomb() != second.getMaskBomb() ||
        first.getMaskSlow() != second.getMaskSlow() ||
        first.getMaskPause() != second.getMaskPause() || first.getHiScore() != second.getHiScore())
        __builtin_trap();  // what was read did not survive its own save
    return 0;
}
