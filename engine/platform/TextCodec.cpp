#include "engine/platform/TextCodec.h"

#include <bit>
#include <cstring>

#include "engine/platform/IconvHandle.h"

namespace veru::platform {

static_assert(std::endian::native == std::endian::little,
              "UTF-16 text is exchanged with iconv as UTF-16LE bytes");

namespace {

constexpr std::string_view kReplacementUtf16{"\xFD\xFF", 2};  // U+FFFD, little-endian
constexpr std::string_view kQuestionMark{"?", 1};

std::u16string bytesToUtf16(const std::string& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * 2);
    return text;
}

std::string_view utf16AsBytes(std::u16string_view text) {
    return {reinterpret_cast<const char*>(text.data()), text.size() * 2};
}

}  // namespace

std::u16string ansiToUtf16(std::string_view ansi) {
    thread_local IconvHandle codec("UTF-16LE", "CP932");
    return bytesToUtf16(codec.convert(ansi, kReplacementUtf16, 1));
}

std::string utf16ToAnsi(std::u16string_view text) {
    thread_local IconvHandle codec("CP932", "UTF-16LE");
    return codec.convert(utf16AsBytes(text), kQuestionMark, 2);
}

std::u16string utf8ToUtf16(std::string_view utf8) {
    thread_local IconvHandle codec("UTF-16LE", "UTF-8");
    return bytesToUtf16(codec.convert(utf8, kReplacementUtf16, 1));
}

std::string utf16ToUtf8(std::u16string_view text) {
    thread_local IconvHandle codec("UTF-8", "UTF-16LE");
    return codec.convert(utf16AsBytes(text), "\xEF\xBF\xBD", 2);
}

}  // namespace veru::platform
