#pragma once
// BalanceReport: what many autopilot runs say about the stage — per
// difficulty the clear rate (with and without a continue), the mean
// continues, lives lost, bombs and score, and where along the stage the
// lives were lost (bins of kBinWidth timeline positions, the boss fight as
// a bin of its own), as a Markdown table and as a picture.
//
// Ownership: a plain value. Thread: any.
// Failure: writePng returns false when the picture cannot be written.

#include <map>
#include <string>
#include <vector>

#include "tools/playtest/RunResult.h"

namespace ml::playtest {

class BalanceReport {
  public:
    static constexpr int kBinWidth = 500;

    struct Summary {
        int runs = 0;
        int clears = 0;            // with or without continues
        int clearsNoContinue = 0;  // cleared, continues == 0
        int stuck = 0;             // not finished in the frame limit
        double continues = 0, livesLost = 0, bombs = 0, score = 0;  // means
        std::vector<int> bins;                                      // hits per bin of positions
        int bossHits = 0;
        int hits = 0;
        // The largest share of all hits one bin (or the boss) has, 0..1.
        double worstShare() const;
    };

    void add(const RunResult& run);
    // Difficulties in code order (easy, normal, hard) with their summary.
    const std::map<int, Summary>& summaries() const { return byLevel; }
    Summary summary(int level) const;

    // The table, one row per difficulty played.
    std::string table() const;
    // Hits along the stage: one row per difficulty, one column per
    // `partWidth` positions (a multiple of kBinWidth) and one for the boss.
    std::string hitsTable(int partWidth = 1000) const;
    // Hits along the stage, one strip per difficulty (easy green, normal
    // amber, hard red; the boss bin at the right end, behind a gap), each
    // under a caption with its runs, clear rates and hits, the positions
    // written under the last strip. Where no font can be opened the picture
    // is drawn without its words.
    bool writePng(const std::string& path) const;

    // The picture's layout: its width, the caption line above each strip,
    // the strip, the gap after it and the boss's column at the right.
    static constexpr int kPngWidth = 800, kPngLabel = 20, kPngStrip = 120, kPngGap = 10,
                         kPngBossWidth = 40;
    // The top of strip `row` (0 first).
    static constexpr int stripTop(int row) {
        return kPngGap + kPngLabel + row * (kPngLabel + kPngStrip + kPngGap);
    }

  private:
    std::map<int, std::vector<RunResult>> runs;
    std::map<int, Summary> byLevel;
};

}  // namespace ml::playtest
