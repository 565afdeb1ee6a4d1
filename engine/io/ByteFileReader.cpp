#include "engine/io/ByteFileReader.h"

#include "engine/exceptions/EOFException.h"
#include "engine/exceptions/FileNotFoundException.h"
#include "engine/exceptions/IOException.h"
#include "engine/io/Scrambler.h"
#include "engine/platform/FileSystem.h"

namespace veru::io {

ByteFileReader::ByteFileReader(const YFile& f) : remaining(f.size), file(f) {
    const platform::FileStatus status = platform::statPath(file.path);
    if (status.exists && !status.isDirectory && !status.isRegular)
        throw excp::IOException(
            YString(u"通常のファイルではないため読みませんでした。：").append(file.path));
    handle = platform::FileHandle::open(file.path, "rb");
    if (!handle.isOpen() || !file.isFile)
        throw excp::FileNotFoundException(file.path);
    if (remaining < 0)
        remaining = 0;  // sizes beyond 2 GiB are no file of ours
}

ByteFileReader::ByteFileReader(const YString& path) : ByteFileReader(YFile(path)) {}

void ByteFileReader::setKeys(int newNumberKey, int newTextKey) {
    numberKey = newNumberKey;
    textKey = newTextKey;
}

void ByteFileReader::readExactly(void* destination, std::size_t count) {
    if (handle.read(destination, count) != count)
        throw excp::IOException(
            YString(u"IOException::ファイルを最後まで読めませんでした。：").append(file.path));
}

std::int32_t ByteFileReader::readInt() {
    if (remaining == 0)
        throw excp::EOFException(file.path);
    std::uint8_t b[4];
    readExactly(b, 4);
    remaining -= 4;
    if (remaining < 0)
        remaining = 0;
    std::uint32_t v = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    return static_cast<std::int32_t>(v ^ static_cast<std::uint32_t>(numberKey));
}

std::uint8_t ByteFileReader::readByte() {
    if (remaining == 0)
        throw excp::EOFException(file.path);
    std::uint8_t b = 0;
    readExactly(&b, 1);
    remaining -= 1;
    return b;
}

void ByteFileReader::throwBadLength() const {
    throw excp::IOException(
        YString(u"IOException::文字列の長さがファイルの残りと合いません。：").append(file.path));
}

std::optional<YString> ByteFileReader::readLine() {
    if (remaining == 0)
        return std::nullopt;
    const std::int32_t count = readInt();
    if (count < 0)
        throwBadLength();
    if (remaining == 0)
        throw excp::EOFException(file.path);
    if (static_cast<std::int64_t>(count) * 2 > remaining)
        throwBadLength();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count) * 2);
    readExactly(bytes.data(), bytes.size());
    if (textKey != 0)
        scramble(bytes, textKey);
    remaining -= count * 2;
    return YString::fromUtf16Bytes(bytes.data(), static_cast<std::size_t>(count));
}

std::vector<std::uint8_t> ByteFileReader::readRest() {
    if (remaining == 0)
        throw excp::EOFException(file.path);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(remaining));
    readExactly(bytes.data(), bytes.size());
    if (numberKey != 0)
        scramble(bytes, numberKey);
    remaining = 0;
    return bytes;
}

void ByteFileReader::close() {
    handle.close();
}

}  // namespace veru::io
