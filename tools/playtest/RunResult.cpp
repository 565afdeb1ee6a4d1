#include "tools/playtest/RunResult.h"

#include <sstream>

#include "game/settings/GameSetting.h"

namespace ml::playtest {

const char* levelName(int level) {
    switch (level) {
        case GameSetting::kLevelEasy:
            return "easy";
        case GameSetting::kLevelNormal:
            return "normal";
        case GameSetting::kLevelHard:
            return "hard";
        default:
            return "?";
    }
}

std::optional<int> levelFromName(const std::string& name) {
    if (name == "easy")
        return GameSetting::kLevelEasy;
    if (name == "normal")
        return GameSetting::kLevelNormal;
    if (name == "hard")
        return GameSetting::kLevelHard;
    return std::nullopt;
}

std::string describe(const RunResult& run) {
    std::ostringstream out;
    out << "level=" << levelName(run.level) << " seed=" << run.seed
        << " cleared=" << (run.cleared ? "yes" : "no") << " continues=" << run.continues
        << " lives_lost=" << run.livesLost << " bombs=" << run.bombs << " score=" << run.score
        << " frames=" << run.frames;
    return out.str();
}

}  // namespace ml::playtest
