#pragma once
// The packer's commands: each reads its input, writes its output through the
// engine's own file, scrambling and container code, and prints nothing on
// success (info prints what it found to `out`).
//
// Failure: every command throws — a veru::excp exception (from the engine or
// made here) whose message is meant for the person at the terminal, or
// UsageError for a command line that names no valid operation. An output
// file is written under a temporary name and renamed at the end, so a failed
// run never leaves a partial output behind.

#include <ostream>
#include <stdexcept>

#include "engine/core/YString.h"

namespace mlpack {

// A command line the packer cannot act on; the message says why.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A picture file (PNG or JPEG) → .ytx; `bits` is 32 (alpha) or 24 (opaque).
void packTexture(const veru::YString& in, const veru::YString& out, int bits);
// A picture file → .ysf whose header holds the picture's size.
void packSurface(const veru::YString& in, const veru::YString& out);
// UTF-8 text → .dat: one scrambled string record per non-empty line.
void packScript(const veru::YString& in, const veru::YString& out);
// A UTF-8 stage script → .dat, only once it passes the stage check against
// `manifest` (every file it names must be listed there, as the right kind);
// otherwise the message lists every problem with its line. Blank lines are
// kept as empty records (trailing ones dropped), so the game's messages name
// the same lines as the check. A packed file larger than the game reads is
// refused and `out` left as it was. Each line the game would skip is reported to
// `warnings` ("IN: line N: warning: ..."); it does not stop the packing.
void packStage(const veru::YString& in, const veru::YString& out, const veru::YString& manifest,
               std::ostream& warnings);
// .ytx/.ysf → the picture file inside; .dat → UTF-8 text, one line per record.
void unpack(const veru::YString& in, const veru::YString& out);
// Loads a .ytx/.ysf as the game does and prints its size and alpha to `out`.
void printInfo(const veru::YString& in, std::ostream& out);

}  // namespace mlpack
