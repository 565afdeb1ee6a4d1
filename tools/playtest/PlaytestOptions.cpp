#include "tools/playtest/PlaytestOptions.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "game/StageHeroine.h"
#include "game/settings/GameSetting.h"
#include "tools/playtest/RunResult.h"

namespace ml::playtest {

namespace {

template <typename T>
bool playtestNumber(const std::string& text, T& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && !text.empty();
}

bool sameName(const std::string& a, const char* b) {
    const std::string other(b);
    return std::equal(a.begin(), a.end(), other.begin(), other.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// The heroine a --character value names: her number or her name.
const StageHeroine* heroineNamed(const std::string& text) {
    int number = 0;
    if (playtestNumber(text, number))
        return findHeroine(number);
    for (const StageHeroine& heroine : heroines()) {
        if (sameName(text, heroine.key))
            return &heroine;
    }
    return nullptr;
}

// "1 (Shiro), 2 (Hotaru)".
std::string heroineList() {
    std::string list;
    for (const StageHeroine& heroine : heroines()) {
        list +=
            (list.empty() ? "" : ", ") + std::to_string(heroine.number) + " (" + heroine.key + ")";
    }
    return list;
}

}  // namespace

const char* PlaytestOptions::usage() {
    static const std::string text =
        "usage: mlplaytest [--character N|NAME] [--level easy|normal|hard|all] [--seed N]\n"
        "                  [--runs K] [--record FILE] [--report FILE.png]\n"
        "                  [--boss NAME | --from POSITION]\n"
        "       mlplaytest --replay FILE [--record FILE]\n"
        "Plays the trial stage with the autopilot, seeds N .. N+K-1, and prints one line\n"
        "per run. --character flies a heroine on her stage, by number or name: " +
        heroineList() +
        ";\nthe first is the default.\n"
        "--record writes the last run's recording, --report draws the runs.\n"
        "--boss plays that boss alone (its name in the stage script), entering at once;\n"
        "--from starts the stage at POSITION (the numbers of the script's enemies).\n"
        "--replay plays a recording (its own difficulty, seed and buttons) and prints its\n"
        "line; with --record it is written again in the current format.\n";
    return text.c_str();
}

std::optional<PlaytestOptions> PlaytestOptions::parse(const std::vector<std::string>& args,
                                                      std::string& error) {
    PlaytestOptions o;
    o.character = heroines().front().number;
    std::string autopilotOption;  // one that only the autopilot's runs use
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a != "--level" && a != "--seed" && a != "--runs" && a != "--record" &&
            a != "--report" && a != "--replay" && a != "--character" && a != "--boss" &&
            a != "--from") {
            error = "unknown argument: " + a;
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            error = a + " needs a value";
            return std::nullopt;
        }
        const std::string& v = args[++i];
        if (a != "--record" && a != "--replay")
            autopilotOption = a;
        if (a == "--level") {
            if (v == "all") {
                o.levels = {GameSetting::kLevelEasy, GameSetting::kLevelNormal,
                            GameSetting::kLevelHard};
            } else if (auto level = levelFromName(v)) {
                o.levels = {*level};
            } else {
                error = "--level must be easy, normal, hard or all, not " + v;
                return std::nullopt;
            }
        } else if (a == "--seed") {
            if (!playtestNumber(v, o.seed) || o.seed > 0xFFFFFFFFull) {
                error = "--seed must be a number from 0 to 4294967295, not " + v;
                return std::nullopt;
            }
        } else if (a == "--runs") {
            if (!playtestNumber(v, o.runs) || o.runs < 1 || o.runs > 100000) {
                error = "--runs must be a number from 1 to 100000, not " + v;
                return std::nullopt;
            }
        } else if (a == "--character") {
            const StageHeroine* heroine = heroineNamed(v);
            if (!heroine) {
                error = "--character must be a heroine's number or name, " + heroineList() +
                        ", not " + v;
                return std::nullopt;
            }
            o.character = heroine->number;
        } else if (a == "--boss") {
            o.start.boss = v;
        } else if (a == "--from") {
            int position = 0;
            if (!playtestNumber(v, position) || position < 0) {
                error = "--from must be a stage position, 0 or more, not " + v;
                return std::nullopt;
            }
            o.start.from = position;
        } else if (a == "--record") {
            o.recordPath = v;
        } else if (a == "--replay") {
            o.replayPath = v;
        } else {
            o.reportPath = v;
        }
    }
    if (!o.replayPath.empty() && !autopilotOption.empty()) {
        error = "--replay plays the recording's own difficulty and seed: no " + autopilotOption;
        return std::nullopt;
    }
    if (!o.start.boss.empty() && o.start.from) {
        error = "--boss and --from start in different places: give one";
        return std::nullopt;
    }
    if (o.levels.empty())
        o.levels = {GameSetting::kLevelNormal};
    if (o.seed + static_cast<std::uint64_t>(o.runs) - 1 > 0xFFFFFFFFull) {
        error = "--seed plus --runs goes past 4294967295";
        return std::nullopt;
    }
    return o;
}

}  // namespace ml::playtest
