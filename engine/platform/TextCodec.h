#pragma once
// Conversions between the program's UTF-16 text and the byte encodings the
// outside world uses: the Japanese "ANSI" code page (CP932, Shift_JIS) for
// text files and narrow literals, and UTF-8 for file names given to the OS.
//
// Thread: safe to call from any thread (each thread keeps its own converters).
// Failure: nothing is thrown for bad input. Bytes that are not valid in the
// source encoding become U+FFFD; characters the target cannot hold become '?'.

#include <string>
#include <string_view>

namespace veru::platform {

std::u16string ansiToUtf16(std::string_view ansi);
std::string utf16ToAnsi(std::u16string_view text);
std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view text);

}  // namespace veru::platform
