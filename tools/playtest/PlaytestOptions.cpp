#include "tools/playtest/PlaytestOptions.h"

#include <charconv>

#include "game/settings/GameSetting.h"
#include "tools/playtest/RunResult.h"

namespace ml::playtest {

namespace {

template <typename T>
bool number(const std::string& text, T& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && !text.empty();
}

}  // namespace

const char* PlaytestOptions::usage() {
    return "usage: mlplaytest [--character 1|2] [--level easy|normal|hard|all] [--seed N]\n"
           "                  [--runs K] [--record FILE] [--report FILE.png]\n"
           "       mlplaytest --replay FILE [--record FILE]\n"
           "Plays the trial stage with the autopilot, seeds N .. N+K-1, and prints one line\n"
           "per run. --character 2 flies Hotaru on her stage (1, the default, Shiro).\n"
           "--record writes the last run's recording, --report draws the runs.\n"
           "--replay plays a recording (its own difficulty, seed and buttons) and prints its\n"
           "line; with --record it is written again in the current format.\n";
}

std::optional<PlaytestOptions> PlaytestOptions::parse(const std::vector<std::string>& args,
                                                      std::string& error) {
    PlaytestOptions o;
    std::string autopilotOption;  // one that only the autopilot's runs use
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a != "--level" && a != "--seed" && a != "--runs" && a != "--record" &&
            a != "--report" && a != "--replay" && a != "--character") {
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
            if (!number(v, o.seed) || o.seed > 0xFFFFFFFFull) {
                error = "--seed must be a number from 0 to 4294967295, not " + v;
                return std::nullopt;
            }
        } else if (a == "--runs") {
            if (!number(v, o.runs) || o.runs < 1 || o.runs > 100000) {
                error = "--runs must be a number from 1 to 100000, not " + v;
                return std::nullopt;
            }
        } else if (a == "--character") {
            if (v != "1" && v != "2") {
                error = "--character must be 1 (Shiro) or 2 (Hotaru), not " + v;
                return std::nullopt;
            }
            o.character = v[0] - '0';
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
    if (o.levels.empty())
        o.levels = {GameSetting::kLevelNormal};
    if (o.seed + static_cast<std::uint64_t>(o.runs) - 1 > 0xFFFFFFFFull) {
        error = "--seed plus --runs goes past 4294967295";
        return std::nullopt;
    }
    return o;
}

}  // namespace ml::playtest
