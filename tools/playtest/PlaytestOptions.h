#pragma once
// PlaytestOptions: the command line of mlplaytest.
//   mlplaytest [--character N|NAME] [--level easy|normal|hard] [--seed N]
//              [--runs K] [--record FILE] [--report FILE.png]
//              [--boss NAME | --from POSITION]
//   mlplaytest --replay FILE [--record FILE]
// Runs use seeds N .. N + K - 1 (default 1 run from seed 1, on normal).
// --character flies a heroine on her stage, by her number or her name (any
// case): "2" or "hotaru" (default 1, Shiro). The heroines are the rows of
// StageHeroine.h.
// --record writes the recording of the last run; --report draws the runs.
// "--level all" plays the three difficulties, K runs each.
// --boss plays only that boss (a name of the boss table), entering at once;
// --from starts the stage at that position (game/StageStart.h).
// --replay plays a recording instead of the autopilot, on its own heroine's
// stage (with --record it is written again, in the current format).
//
// Ownership: plain values. Thread: any.
// Failure: parse returns nullopt and names the problem in `error`.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/StageStart.h"

namespace ml::playtest {

struct PlaytestOptions {
    std::vector<int> levels;  // difficulty codes, in play order
    std::uint64_t seed = 1;
    int runs = 1;
    int character = 1;  // a heroine's number; parse starts from the first heroine's
    std::string recordPath;
    std::string reportPath;
    std::string replayPath;
    StageStart start;

    static std::optional<PlaytestOptions> parse(const std::vector<std::string>& args,
                                                std::string& error);
    static const char* usage();
};

}  // namespace ml::playtest
