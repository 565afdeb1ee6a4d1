#include "engine/core/StringTokenizer.h"

#include <algorithm>

namespace veru::util {

StringTokenizer::StringTokenizer(const YString& source, const YString& delimiters)
    : source(source),
      delimiters(delimiters),
      buffer(std::make_unique<char16_t[]>(source.size() + 1)) {
    std::copy(source.begin(), source.end(), buffer.get());
    buffer[source.size()] = u'\0';
}

bool StringTokenizer::isDelimiter(char16_t c) const {
    return delimiters.find(c) != YString::npos;
}

const char16_t* StringTokenizer::nextToken() {
    ++count;
    first = false;
    const std::size_t end = source.size();
    std::size_t p = position;
    while (p < end && isDelimiter(buffer[p]))
        ++p;
    if (p >= end) {
        position = end;
        return nullptr;
    }
    std::size_t start = p;
    while (p < end && !isDelimiter(buffer[p]))
        ++p;
    if (p < end) {
        buffer[p] = u'\0';  // cut the token off; continue after the cut
        position = p + 1;
    } else {
        position = end;
    }
    return buffer.get() + start;
}

}  // namespace veru::util
