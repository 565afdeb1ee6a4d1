#pragma once
// StringTokenizer: splits one line of a script into tokens.
//
// Every character of `delimiters` separates tokens; leading delimiters are
// skipped and a run of delimiters counts as one separator, so empty tokens
// never appear. The tokenizer keeps its own position, so several tokenizers
// may be used side by side.
//
// Ownership: owns a copy of the source; the pointers nextToken returns point
// into that copy and stay valid until the tokenizer is destroyed.

#include <memory>

#include "engine/core/YString.h"

namespace veru::util {

class StringTokenizer {
  public:
    StringTokenizer(const YString& source, const YString& delimiters);
    virtual ~StringTokenizer() = default;
    StringTokenizer(const StringTokenizer&) = delete;
    StringTokenizer& operator=(const StringTokenizer&) = delete;

    // The next token (terminated), or null when none is left. Every call,
    // including one that returns null, counts.
    const char16_t* nextToken();
    int getCount() const { return count; }

  private:
    bool isDelimiter(char16_t c) const;

    YString source;
    YString delimiters;
    bool first = true;
    int count = 0;
    std::unique_ptr<char16_t[]> buffer;  // source + terminator, cut in place
    std::size_t position = 0;            // where the next search starts
};

}  // namespace veru::util
