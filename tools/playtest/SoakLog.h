#pragma once
// SoakLog: the bookkeeping of a soak — one line per round of the whole game,
// and the summary at the end with the verdicts: resident memory and the heap
// in use flat or rising after the first round, and underruns of the mixer.
//
// The heap in use (what is allocated and not freed) answers the question the
// resident memory only hints at: a leak raises it round after round, while a
// memory checker's quarantine of freed blocks or the allocator's pools raise
// only the resident memory. Both are judged by the same rule.
//
// Memory is judged on the rounds after the first (the first loads and caches
// what the game keeps): the median of the later half of those rounds may not
// exceed the peak of the earlier half by more than the tolerance. A leak
// grows round after round and fails that; memory that settles (allocator
// pools, a sanitizer's quarantine filling up) passes it, and so does memory
// that swings up and down around one level (the sanitizer's allocator moves
// by tens of megabytes from round to round), where a single high round late
// in the soak would fail a comparison of peaks. With fewer than three rounds
// after the first there is too little to judge.
//
// Thread: one thread.

#include <cstdint>
#include <string>
#include <vector>

namespace ml::playtest {

class SoakLog {
  public:
    enum class Memory { tooShort, flat, rising };

    struct Round {
        long seconds = 0;  // wall clock since the start
        int frames = 0;    // frames of the game so far
        int stages = 0;    // stages started so far
        int cleared = 0;   // stages whose boss was beaten so far
        int kintubas = 0;  // kintubas and bombs the pilot pressed so far
        int bombs = 0;
        long rssKiB = 0;
        long heapKiB = -1;            // the heap in use, -1 where it cannot be read
        std::uint64_t underruns = 0;  // so far
        long audioSeconds = 0;        // sound the mixer has put out so far
    };

    explicit SoakLog(long toleranceKiB = 4096) : toleranceKiB(toleranceKiB) {}

    // The resident memory before the first round; its line.
    std::string start(long rssKiB);
    // A round ended (numbered from 1); its line.
    std::string endRound(const Round& round);

    // The soak ended: the game's exit status, the underruns counted in all,
    // and whether it was stopped because a round never ended.
    void finish(int gameStatus, std::uint64_t underruns, bool stuck);

    int getRounds() const { return static_cast<int>(rounds.size()); }
    // The verdict on the resident memory, and on the heap in use (too short
    // when a round could not read it).
    Memory getMemory() const;
    Memory getHeap() const;
    // 1 when the game ended with an error, a round got stuck, the resident
    // memory or the heap rises, an underrun was counted or not one round was finished; else 0.
    int exitStatus() const;
    // The last line: rounds, stages cleared, resident memory and heap of the
    // first and last round and their peaks, the verdicts, the underruns and how the game ended.
    std::string summary() const;

  private:
    Memory judge(long Round::*kib) const;

    long toleranceKiB;
    long startKiB = -1;
    int gameStatus = 0;
    std::uint64_t underruns = 0;
    bool stuck = false;
    std::vector<Round> rounds;
};

}  // namespace ml::playtest
