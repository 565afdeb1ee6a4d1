#pragma once
// sharedTextBuffer: one process-wide array of 1024 UTF-16 code units that a
// few getters return their text in (YString::toSharedBuffer, YFile::pathText).
// Each call overwrites the previous text: callers copy the result at once.
//
// Thread: main thread only.

#include <cstddef>
#include <string_view>

namespace veru {

constexpr std::size_t kSharedTextBufferSize = 1024;

extern char16_t sharedTextBuffer[kSharedTextBufferSize];

// Copies `text` with its terminator into sharedTextBuffer and returns it;
// returns null (and leaves the buffer alone) when the text has 1024 code
// units or more.
const char16_t* copyToSharedTextBuffer(std::u16string_view text);

}  // namespace veru
