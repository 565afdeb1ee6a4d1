#pragma once
// TextFileWriter: writes UTF-16 text as a CP932 text file. Lines end with
// CR LF. Characters CP932 cannot hold are written as '?'.
//
// Ownership: owns the open file; the destructor closes it without reporting.
// Failure: FileNotFoundException (with the path) when the file cannot be
// created; IOException when a write or the final close fails.

#include "engine/io/FileWriter.h"
#include "engine/io/YFile.h"
#include "engine/platform/FileHandle.h"

namespace veru::io {

class TextFileWriter : public FileWriter {
  public:
    explicit TextFileWriter(const YFile& file);

    // Writes the text without a line end.
    void writeLine(const YString& text) override;
    void writeLine(const char16_t* text) override;
    // Writes a line end and flushes.
    void newLine() override;
    void close() override;

  private:
    void put(const std::string& bytes);

    YFile file;
    platform::FileHandle handle;
};

}  // namespace veru::io
