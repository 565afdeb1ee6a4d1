#pragma once
// RunResult: how one autopilot play of the stage went, and the line
// mlplaytest prints for it.
//
// Ownership: plain values. Thread: any.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ml::playtest {

// Where a life was lost: the stage position at the right edge of the field
// (the timeline's own numbers), or in the boss fight.
struct Hit {
    int position = 0;
    bool boss = false;
};

struct RunResult {
    int level = 0;
    std::uint64_t seed = 0;
    bool finished = false;  // the stage asked to be left before the frame limit
    bool cleared = false;   // ... after beating the boss
    int continues = 0;
    int livesLost = 0;
    int bombs = 0;
    int score = 0;
    int frames = 0;
    std::vector<Hit> hits;
};

// "easy", "normal", "hard" for the three difficulty codes; "?" otherwise.
const char* levelName(int level);
// The code for a name; nullopt for anything else.
std::optional<int> levelFromName(const std::string& name);
// The line mlplaytest prints for a run.
std::string describe(const RunResult& run);

}  // namespace ml::playtest
