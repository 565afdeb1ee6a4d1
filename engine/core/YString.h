#pragma once
// YString: the UTF-16 string used for all text in the game.
//
// A YString is a std::u16string with the few operations the game's scripts,
// loaders and messages need on top: concatenation of numbers, search,
// sub-ranges, replacement, suffix tests and conversion from the Japanese
// "ANSI" code page (CP932). It owns its characters and copies like a value.
// Anything that takes a std::u16string takes a YString.
//
// Thread: a YString is a plain value; toSharedBuffer() writes the single
// process-wide buffer and belongs to the main thread.

#include <cstdint>
#include <string>
#include <string_view>

namespace veru {

class YString : public std::u16string {
  public:
    YString() = default;
    YString(const char16_t* text);  // NOLINT: implicit, as literals are used everywhere
    YString(const std::u16string& text);
    YString(std::u16string&& text) noexcept;
    YString(std::u16string_view text);
    virtual ~YString() = default;
    YString(const YString&) = default;
    YString(YString&&) noexcept = default;
    YString& operator=(const YString&) = default;
    YString& operator=(YString&&) noexcept = default;
    YString& operator=(const std::u16string& text);
    YString& operator=(const char16_t* text);

    // Text in the Japanese ANSI code page (CP932); invalid bytes become U+FFFD.
    static YString fromAnsi(std::string_view ansi);
    // `count` characters of little-endian UTF-16 bytes: byte 2i + 256 * byte 2i+1.
    static YString fromUtf16Bytes(const std::uint8_t* bytes, std::size_t count);
    static YString fromUtf8(std::string_view utf8);
    static YString fromInt(int value);

    // Appending: these change this string and return it.
    YString& append(const YString& other);
    YString& append(const char16_t* other);
    YString& append(int value);
    YString& append(const char* ansi);

    bool equals(const YString& other) const { return compare(other) == 0; }
    bool equalsText(const char16_t* text) const;
    // Index of the first occurrence of `other`, or -1.
    int indexOf(const YString& other) const;
    YString substring(std::size_t begin, std::size_t count) const;
    YString substring(std::size_t begin) const;
    YString replaceFirst(const YString& what, const YString& with) const;
    // Replaces until no occurrence is left. When `with` itself contains
    // `what` (which would never end) every occurrence is replaced once,
    // left to right; an empty `what` changes nothing.
    YString replaceAll(const YString& what, const YString& with) const;
    // True when the part after the last '.' (the whole text without a '.')
    // equals `suffix` exactly: hasSuffix("ogg") for "sound/bgm.ogg".
    bool hasSuffix(const char* suffix) const;

    // Copies the text into the shared text buffer and returns it; null for
    // texts of 1024 code units or more. The next call overwrites it.
    const char16_t* toSharedBuffer() const;

    std::string toUtf8() const;
    std::string toAnsi() const;
};

YString operator+(const YString& a, const YString& b);
YString operator+(const YString& a, const char16_t* b);

}  // namespace veru
