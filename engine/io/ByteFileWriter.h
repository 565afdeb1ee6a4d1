#pragma once
// ByteFileWriter: writes the records ByteFileReader reads (see there for the
// format). Scripts and settings are written with it.
//
// Ownership: owns the open file; the destructor closes it without reporting.
// Failure: FileNotFoundException (with the path) when the file cannot be
// created; IOException "通常のファイルではないため書きませんでした。：" + path
// when the path is a pipe, device or socket (opening one could wait for
// ever); IOException when a write or the final close fails.

#include <cstdint>
#include <span>

#include "engine/io/FileWriter.h"
#include "engine/io/YFile.h"
#include "engine/platform/FileHandle.h"

namespace veru::io {

class ByteFileWriter : public FileWriter {
  public:
    explicit ByteFileWriter(const YFile& file);
    explicit ByteFileWriter(const YString& path);

    // Keys for every record written from now on; 0 means "not scrambled".
    void setKeys(int numberKey, int textKey);

    void writeInt(std::int32_t value);
    // One string record; an empty text writes nothing at all.
    void writeLine(const YString& text) override;
    void writeLine(const char16_t* text) override;
    // Raw bytes, scrambled with numberKey (the counterpart of readRest).
    void writeBytes(std::span<const std::uint8_t> bytes);
    void writeByte(std::uint8_t value);
    void newLine() override {}
    void close() override;

  private:
    void put(const void* bytes, std::size_t count);

    int numberKey = 0;
    int textKey = 0;
    YFile file;
    platform::FileHandle handle;
};

}  // namespace veru::io
