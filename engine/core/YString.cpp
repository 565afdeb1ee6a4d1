#include "engine/core/YString.h"

#include "engine/core/SharedTextBuffer.h"
#include "engine/platform/TextCodec.h"

namespace veru {

YString::YString(const char16_t* text) : std::u16string(text ? text : u"") {}
YString::YString(const std::u16string& text) : std::u16string(text) {}
YString::YString(std::u16string&& text) noexcept : std::u16string(std::move(text)) {}
YString::YString(std::u16string_view text) : std::u16string(text) {}

YString& YString::operator=(const std::u16string& text) {
    std::u16string::operator=(text);
    return *this;
}

YString& YString::operator=(const char16_t* text) {
    std::u16string::operator=(text ? text : u"");
    return *this;
}

YString YString::fromAnsi(std::string_view ansi) {
    return YString(platform::ansiToUtf16(ansi));
}

YString YString::fromUtf16Bytes(const std::uint8_t* bytes, std::size_t count) {
    YString text;
    text.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return text;
}

YString YString::fromUtf8(std::string_view utf8) {
    return YString(platform::utf8ToUtf16(utf8));
}

YString YString::fromInt(int value) {
    std::string digits = std::to_string(value);
    return YString(std::u16string(digits.begin(), digits.end()));
}

YString& YString::append(const YString& other) {
    std::u16string::append(other);
    return *this;
}

YString& YString::append(const char16_t* other) {
    if (other)
        std::u16string::append(other);
    return *this;
}

YString& YString::append(int value) {
    return append(fromInt(value));
}

YString& YString::append(const char* ansi) {
    if (ansi)
        std::u16string::append(platform::ansiToUtf16(ansi));
    return *this;
}

bool YString::equalsText(const char16_t* text) const {
    return text && compare(text) == 0;
}

int YString::indexOf(const YString& other) const {
    size_type at = find(other);
    return at == npos ? -1 : static_cast<int>(at);
}

YString YString::substring(std::size_t begin, std::size_t count) const {
    if (begin >= size())
        return YString();
    return YString(std::u16string::substr(begin, count));
}

YString YString::substring(std::size_t begin) const {
    return substring(begin, npos);
}

YString YString::replaceFirst(const YString& what, const YString& with) const {
    YString result(*this);
    size_type at = find(what);
    if (!what.empty() && at != npos)
        result.replace(at, what.size(), with);
    return result;
}

YString YString::replaceAll(const YString& what, const YString& with) const {
    if (what.empty())
        return *this;
    if (with.find(what) != npos) {
        // Repeating would never end: replace each occurrence once instead.
        YString result;
        size_type from = 0;
        for (size_type at = find(what); at != npos; at = find(what, from)) {
            result.std::u16string::append(*this, from, at - from);
            result.std::u16string::append(with);
            from = at + what.size();
        }
        result.std::u16string::append(*this, from, npos);
        return result;
    }
    YString result(*this);
    for (size_type at = result.find(what); at != npos; at = result.find(what)) {
        result.replace(at, what.size(), with);
    }
    return result;
}

bool YString::hasSuffix(const char* suffix) const {
    if (!suffix)
        return false;
    size_type dot = rfind(u'.');
    std::u16string_view tail(*this);
    if (dot != npos)
        tail.remove_prefix(dot + 1);
    return tail == platform::ansiToUtf16(suffix);
}

const char16_t* YString::toSharedBuffer() const {
    return copyToSharedTextBuffer(*this);
}

std::string YString::toUtf8() const {
    return platform::utf16ToUtf8(*this);
}

std::string YString::toAnsi() const {
    return platform::utf16ToAnsi(*this);
}

YString operator+(const YString& a, const YString& b) {
    YString r(a);
    r.append(b);
    return r;
}

YString operator+(const YString& a, const char16_t* b) {
    YString r(a);
    r.append(b);
    return r;
}

}  // namespace veru
