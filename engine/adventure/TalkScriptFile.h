#pragma once
// Reading a talk script ("script/*.dat"): one scrambled string record per
// statement, in order. Empty records (blank lines) are skipped.
//
// Thread: any thread (the key registry is only read).
// Failure: the byte reader's exceptions, each naming the file
// (FileNotFoundException, EOFException, IOException for a damaged record);
// IOException "<file>：…" for a file above kMaxTalkScriptBytes, refused
// before anything is read.

#include <vector>

#include "engine/core/YString.h"

namespace veru::adv {

// Talk scripts are a few kilobytes; a file far beyond that is no script.
inline constexpr int kMaxTalkScriptBytes = 1024 * 1024;

std::vector<YString> readTalkScript(const YString& path);

}  // namespace veru::adv
