#include "engine/io/TextFileWriter.h"

#include "engine/exceptions/FileNotFoundException.h"
#include "engine/exceptions/IOException.h"

namespace veru::io {

TextFileWriter::TextFileWriter(const YFile& f) : file(f) {
    handle = platform::FileHandle::open(file.path, "wb");
    if (!handle.isOpen())
        throw excp::FileNotFoundException(file.path);
}

void TextFileWriter::put(const std::string& bytes) {
    if (!handle.write(bytes.data(), bytes.size()))
        throw excp::IOException();
}

void TextFileWriter::writeLine(const YString& text) {
    put(text.toAnsi());
}

void TextFileWriter::writeLine(const char16_t* text) {
    writeLine(YString(text));
}

void TextFileWriter::newLine() {
    put("\r\n");
    if (!handle.flush())
        throw excp::IOException();
}

void TextFileWriter::close() {
    if (!handle.finish())
        throw excp::IOException();
}

}  // namespace veru::io
