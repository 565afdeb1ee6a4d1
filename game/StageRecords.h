#pragma once
// StageRecords: the best score of each heroine on each difficulty, with the
// day it was set, kept in the settings file (the record rows of
// settings/SettingKeys.h). The settings' single "SCORE", which older
// versions read, follows the best of them all.
//
// Only a play of the player's own counts: the stage offers nothing while a
// recording plays or when its records are off (practice).
//
// Ownership: borrows the settings, which outlive it.
// Thread: main thread only.
// Failure: none; a heroine or difficulty without record rows has no record
// and keeps none.

namespace ml {

class GameSetting;

class StageRecords {
  public:
    struct Record {
        int score = 0;
        int date = 0;  // YYYYMMDD; 0 when not known
    };

    explicit StageRecords(GameSetting& settings) : settings(settings) {}

    // The record of heroine `character` (her StageHeroine number) on the
    // difficulty of level code `level`.
    Record best(int character, int level) const;
    // A play of that heroine on that difficulty reached `score` on `date`
    // (YYYYMMDD): it becomes the record when it beats it. True when it did.
    bool offer(int character, int level, int score, int date);
    // Today as the player's calendar shows it, YYYYMMDD.
    static int today();
    // Whether records are kept for heroine `character`.
    static bool keepsRecordsOf(int character);

  private:
    GameSetting& settings;
};

}  // namespace ml
