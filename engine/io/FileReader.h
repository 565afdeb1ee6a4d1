#pragma once
// FileReader: what the byte and text readers have in common.
//
// Failure: readers throw EOFException when asked to read past the end and
// IOException on a short or malformed read.

#include <optional>

#include "engine/core/YString.h"

namespace veru::io {

class FileReader {
  public:
    virtual ~FileReader() = default;
    virtual bool isEOF() = 0;
    // The next line (text) or string record (bytes); empty when none is left.
    virtual std::optional<YString> readLine() = 0;
    virtual void close() = 0;
};

}  // namespace veru::io
