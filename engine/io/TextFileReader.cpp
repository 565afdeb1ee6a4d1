#include "engine/io/TextFileReader.h"

#include <string>

#include "engine/platform/FileHandle.h"

namespace veru::io {

TextFileReader::TextFileReader(const YFile& file) {
    platform::FileHandle handle = platform::FileHandle::open(file.path, "rb");
    if (!handle.isOpen())
        return;
    std::string bytes;
    char chunk[4096];
    for (std::size_t n; (n = handle.read(chunk, sizeof chunk)) > 0;)
        bytes.append(chunk, n);
    text = YString::fromAnsi(bytes);
}

std::optional<YString> TextFileReader::readLine() {
    if (isEOF())
        return std::nullopt;
    std::size_t end = text.find(u'\n', position);
    std::size_t next;
    if (end == YString::npos) {
        end = text.size();
        next = end;
    } else {
        next = end + 1;
    }
    if (end > position && text[end - 1] == u'\r')
        --end;
    if (end - position > kMaxLine) {
        end = position + kMaxLine;
        next = end;
    }
    YString line = text.substring(position, end - position);
    position = next;
    return line;
}

void TextFileReader::close() {
    text.clear();
    position = 0;
}

}  // namespace veru::io
