#pragma once
// TextFileReader: reads a text file in the Japanese ANSI code page (CP932)
// line by line as UTF-16. Line ends are LF or CR LF.
//
// Ownership: reads the whole file when constructed; holds no open file.
// Failure: a file that cannot be opened reads as empty (isEOF at once).
// Bytes that are not valid CP932 become U+FFFD.

#include "engine/io/FileReader.h"
#include "engine/io/YFile.h"

namespace veru::io {

class TextFileReader : public FileReader {
  public:
    // Longest line returned at once; the rest of a longer line comes with the
    // following calls, so nothing is lost.
    static constexpr std::size_t kMaxLine = 1023;

    explicit TextFileReader(const YFile& file);

    bool isEOF() override { return position >= text.size(); }
    std::optional<YString> readLine() override;
    void close() override;

  private:
    YString text;
    std::size_t position = 0;
};

}  // namespace veru::io
