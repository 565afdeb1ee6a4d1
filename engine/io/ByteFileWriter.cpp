#include "engine/io/ByteFileWriter.h"

#include <vector>

#include "engine/exceptions/FileNotFoundException.h"
#include "engine/exceptions/IOException.h"
#include "engine/io/Scrambler.h"
#include "engine/platform/FileSystem.h"

namespace veru::io {

ByteFileWriter::ByteFileWriter(const YFile& f) : file(f) {
    const platform::FileStatus status = platform::statPath(file.path);
    if (status.exists && !status.isDirectory && !status.isRegular)
        throw excp::IOException(
            YString(u"通常のファイルではないため書きませんでした。：").append(file.path));
    handle = platform::FileHandle::open(file.path, "wb");
    if (!handle.isOpen())
        throw excp::FileNotFoundException(file.path);
}

ByteFileWriter::ByteFileWriter(const YString& path) : ByteFileWriter(YFile(path)) {}

void ByteFileWriter::setKeys(int newNumberKey, int newTextKey) {
    numberKey = newNumberKey;
    textKey = newTextKey;
}

void ByteFileWriter::put(const void* bytes, std::size_t count) {
    if (!handle.write(bytes, count))
        throw excp::IOException();
}

void ByteFileWriter::writeInt(std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value) ^ static_cast<std::uint32_t>(numberKey);
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                               static_cast<std::uint8_t>(v >> 16),
                               static_cast<std::uint8_t>(v >> 24)};
    put(b, 4);
}

void ByteFileWriter::writeLine(const YString& text) {
    if (text.empty())
        return;
    std::vector<std::uint8_t> bytes(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<std::uint8_t>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(text[i] >> 8);
    }
    if (textKey != 0)
        scramble(bytes, textKey);
    writeInt(static_cast<std::int32_t>(text.size()));
    put(bytes.data(), bytes.size());
}

void ByteFileWriter::writeLine(const char16_t* text) {
    writeLine(YString(text));
}

void ByteFileWriter::writeBytes(std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
    if (numberKey != 0)
        scramble(copy, numberKey);
    put(copy.data(), copy.size());
}

void ByteFileWriter::writeByte(std::uint8_t value) {
    put(&value, 1);
}

void ByteFileWriter::close() {
    if (!handle.finish())
        throw excp::IOException();
}

}  // namespace veru::io
