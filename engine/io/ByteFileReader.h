#pragma once
// ByteFileReader: reads a file of typed records, all little-endian:
//   32-bit value  4 bytes, XOR numberKey
//   byte          1 byte, never scrambled
//   string        a 32-bit value N, then 2N bytes of UTF-16LE text, each byte
//                 XOR the low 8 bits of textKey (when textKey is not 0)
//   rest of file  every remaining byte, XOR the low 8 bits of numberKey
// Every asset of the game (pictures, scripts) is read through this class.
//
// Ownership: owns the open file; the destructor closes it.
// Failure: every exception names the file's path: FileNotFoundException when
// the file cannot be opened; IOException "通常のファイルではないため読みませんでした。："
// + path for a pipe, device or socket (opening one could wait for ever),
// before it is opened; EOFException when a read starts at the end;
// IOException on a short read or a string record whose length does not fit
// in what is left. A bad length is refused before anything is allocated for
// it. An empty string record reads as an empty line, except as the file's last
// record (EOFException: writers of scripts drop trailing empty lines).

#include <cstdint>
#include <vector>

#include "engine/io/FileReader.h"
#include "engine/io/YFile.h"
#include "engine/platform/FileHandle.h"

namespace veru::io {

class ByteFileReader : public FileReader {
  public:
    explicit ByteFileReader(const YFile& file);
    explicit ByteFileReader(const YString& path);

    // Keys for every record read from now on; 0 means "not scrambled".
    void setKeys(int numberKey, int textKey);

    bool isEOF() override { return remaining == 0; }
    // The next string record, or empty when the file is used up.
    std::optional<YString> readLine() override;
    void close() override;

    std::int32_t readInt();
    std::uint8_t readByte();
    // Every byte left, unscrambled with numberKey.
    std::vector<std::uint8_t> readRest();

    std::int32_t getRemaining() const { return remaining; }
    const YFile& getFile() const { return file; }

  private:
    void readExactly(void* destination, std::size_t count);
    [[noreturn]] void throwBadLength() const;

    int numberKey = 0;
    int textKey = 0;
    std::int32_t remaining = 0;
    YFile file;
    platform::FileHandle handle;
};

}  // namespace veru::io
