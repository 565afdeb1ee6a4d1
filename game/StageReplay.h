#pragma once
// StageReplay: one play of a stage as it can be played again frame for frame
// — the seed the stage's random generators started from, the difficulty and
// the button masks it was played with, and the button word of every frame.
//
// The file is small and versioned, every value a little-endian 32-bit int:
//   "MLRP" (0x50524C4D), version (1), seed low, seed high, difficulty,
//   masks shoot / special / bomb / slow / pause, frame count, run count,
//   then per run: the button word and how many frames it lasted.
// Runs keep a minute of held buttons to a few hundred bytes.
//
// Ownership: a plain value. Thread: any.
// Failure: writeStageReplay throws what ByteFileWriter throws;
// readStageReplay throws FileNotFoundException for a missing file and
// IOException "リプレイファイルが壊れています。：" + path for anything that is
// not a replay of this version (wrong mark, version, counts that do not add
// up, a file cut short).

#include <cstdint>
#include <vector>

#include "engine/core/YString.h"

namespace ml {

struct StageReplay {
    static constexpr std::int32_t kMark = 0x50524C4D;  // "MLRP"
    static constexpr std::int32_t kVersion = 1;

    std::uint64_t seed = 0;
    int level = 0x200001;
    int maskShoot = 0x10;
    int maskSpecial = 0x20;
    int maskBomb = 0x40;
    int maskSlow = 0x80;
    int maskPause = 0x100;
    std::vector<int> words;  // frame i polled words[i]

    // The word of frame `frame`; 0 past the end (a replay ends with released buttons).
    int wordAt(std::size_t frame) const { return frame < words.size() ? words[frame] : 0; }
};

void writeStageReplay(const veru::YString& path, const StageReplay& replay);
StageReplay readStageReplay(const veru::YString& path);

}  // namespace ml
