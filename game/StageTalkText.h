#pragma once
// The words of a stage's talk in the game's language.
//
// A stage script's talk is written in Japanese. Its English words live in
// the stage script's English file ("script/stage_trial.en.dat"), which holds
// only the talk lines, "1P_Talk(...)" and "2P_Talk(...)", in the order the
// stage script has them: everything between the first "(" and the last ")"
// is the text, spaces and commas included ("+" breaks a line).
//
// Thread: main thread (reads files, may show a warning).
// Failure: never throws. A missing, unreadable or mismatched English file
// (another number of lines, a line for the other side, a line that is no
// talk line) is reported once, naming the file and line, and the stage keeps
// its Japanese words.

#include <vector>

#include "engine/core/YString.h"

namespace ml {

struct StageContent;

// One English talk line: its side (1 or 2), its text, its line in the file.
struct TalkText {
    int side = 0;
    veru::YString text;
    int line = 0;
};

// Reads the English talk lines of the file at `path`; throws what reading a
// script throws, or an Exception naming the file and line of a line that is
// no talk line.
std::vector<TalkText> readTalkTexts(const veru::YString& path);

// While the game speaks English, puts the English words of the stage script
// at `stagePath` into `content`'s talk steps.
void useStageTalkLanguage(const veru::YString& stagePath, StageContent& content);

}  // namespace ml
