#pragma once
// Reading a talk script ("script/*.dat"): one scrambled string record per
// statement, in order. Empty records (blank lines) are skipped, but still
// count for the line numbers messages give.
//
// Thread: any thread (the key registry is only read).
// Failure: the byte reader's exceptions, each naming the file
// (FileNotFoundException, EOFException, IOException for a damaged record);
// IOException "<file>：…" for an empty file or one above
// kMaxTalkScriptBytes, refused before anything is read.

#include <vector>

#include "engine/core/YString.h"

namespace veru::adv {

// Talk scripts are a few kilobytes; a file far beyond that is no script.
inline constexpr int kMaxTalkScriptBytes = 1024 * 1024;

// One statement of a talk script and the line (record, from 1) it stands on.
struct TalkLine {
    YString text;
    int line = 0;
};

std::vector<TalkLine> readNumberedTalkScript(const YString& path);
// The statements alone.
std::vector<YString> readTalkScript(const YString& path);

// "<path>（<line>行目）：<what>", the form every talk-script message takes.
YString talkScriptMessage(const YString& path, int line, const YString& what);

}  // namespace veru::adv
