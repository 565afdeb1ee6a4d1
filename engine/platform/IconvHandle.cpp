#include "engine/platform/IconvHandle.h"

#include <iconv.h>
#include <cerrno>
#include <cstdint>

#include "engine/exceptions/Exception.h"

namespace veru::platform {

namespace {
iconv_t asIconv(void* d) {
    return static_cast<iconv_t>(d);
}
}  // namespace

IconvHandle::IconvHandle(const char* toEncoding, const char* fromEncoding)
    : descriptor(iconv_open(toEncoding, fromEncoding)) {
    if (descriptor == reinterpret_cast<void*>(static_cast<std::intptr_t>(-1))) {
        // Build the message by hand: converting it would need a converter.
        std::u16string message = u"文字コード変換を開始できません：";
        for (const char* p = fromEncoding; *p; ++p)
            message += static_cast<char16_t>(*p);
        message += u" → ";
        for (const char* p = toEncoding; *p; ++p)
            message += static_cast<char16_t>(*p);
        throw excp::Exception(YString(message));
    }
}

IconvHandle::~IconvHandle() {
    iconv_close(asIconv(descriptor));
}

std::string IconvHandle::convert(std::string_view input, std::string_view replacement,
                                 std::size_t inputUnit) {
    iconv(asIconv(descriptor), nullptr, nullptr, nullptr, nullptr);  // reset shift state
    std::string out;
    out.reserve(input.size() * 2 + 8);
    char buffer[1024];
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        std::size_t r = iconv(asIconv(descriptor), &in, &inLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (r != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;  // output chunk full: go round again
        // EILSEQ (invalid sequence) or EINVAL (cut short at the end):
        // write the replacement and step over the offending unit.
        out.append(replacement);
        std::size_t skip = inputUnit;
        if (inputUnit == 2 && inLeft >= 4) {
            // UTF-16 input: a surrogate pair is one character, skip it whole.
            const auto* u = reinterpret_cast<const unsigned char*>(in);
            const unsigned first = u[0] | (u[1] << 8), second = u[2] | (u[3] << 8);
            if (first >= 0xD800 && first < 0xDC00 && second >= 0xDC00 && second < 0xE000)
                skip = 4;
        }
        if (skip > inLeft)
            skip = inLeft;
        in += skip;
        inLeft -= skip;
        iconv(asIconv(descriptor), nullptr, nullptr, nullptr, nullptr);
    }
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    iconv(asIconv(descriptor), nullptr, nullptr, &dst, &dstLeft);  // flush shift state
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    return out;
}

}  // namespace veru::platform
