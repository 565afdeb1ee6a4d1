#pragma once
// FileWriter: what the byte and text writers have in common.
//
// Failure: write errors throw IOException.

#include "engine/core/YString.h"

namespace veru::io {

class FileWriter {
  public:
    virtual ~FileWriter() = default;
    virtual void writeLine(const YString& text) = 0;
    virtual void writeLine(const char16_t* text) = 0;
    virtual void newLine() = 0;
    // Writes out what is buffered, syncs it to the disk and closes the file.
    virtual void close() = 0;
};

}  // namespace veru::io
