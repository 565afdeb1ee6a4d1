#pragma once
// enterGameData: makes the folder with the packed game data (img/, sound/,
// script/) the current one — the current folder when it has the data, else
// `buildDataDir` (the build's copy). False, with the reason in `error`, when
// neither has it. Paths the caller was given relative to the folder it was
// started in must be made absolute first.
//
// Thread: main thread (it changes the process's current folder).

#include <filesystem>
#include <string>

namespace ml::playtest {

inline bool enterGameData(const char* buildDataDir, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::exists("script/stage_trial.dat"))
        fs::current_path(buildDataDir, ec);
    if (ec || !fs::exists("script/stage_trial.dat")) {
        error = std::string("no game data (script/stage_trial.dat) here or in ") + buildDataDir;
        return false;
    }
    return true;
}

}  // namespace ml::playtest
