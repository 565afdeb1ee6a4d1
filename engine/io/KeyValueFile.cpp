#include "engine/io/KeyValueFile.h"

#include <memory>

#include "engine/core/StringTokenizer.h"
#include "engine/exceptions/IOException.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/ByteFileWriter.h"
#include "engine/io/TextFileReader.h"
#include "engine/io/TextFileWriter.h"
#include "engine/platform/FileHandle.h"
#include "engine/platform/FileSystem.h"

namespace veru::io {

KeyValueFile::KeyValueFile(const YString& path, bool loadNow)
    : binary(!path.hasSuffix("txt") && !path.hasSuffix("ini")), file(path) {
    if (loadNow)
        load();
}

bool KeyValueFile::load() {
    file.refresh();
    if (!file.exists) {
        // Leave an empty file behind, as a first start does; not being able
        // to create it only matters at save time, which reports it.
        platform::FileHandle::open(file.path, "wb");
        file.refresh();
        return false;
    }
    std::unique_ptr<FileReader> reader;
    if (binary) {
        reader = std::make_unique<ByteFileReader>(file);
    } else {
        reader = std::make_unique<TextFileReader>(file);
    }
    while (!reader->isEOF()) {
        std::optional<YString> record = reader->readLine();
        if (!record)
            break;
        if (!record->empty())
            insertRecord(*record);
    }
    reader->close();
    return true;
}

void KeyValueFile::insertRecord(const YString& record) {
    util::StringTokenizer tokens(record, u"[], =");
    const char16_t* key = tokens.nextToken();
    if (!key)
        return;
    const char16_t* value = tokens.nextToken();
    entries.emplace(YString(key), YString(value ? value : u""));
}

void KeyValueFile::set(const YString& key, const YString& value) {
    entries.erase(key);
    entries.emplace(key, value);
}

bool KeyValueFile::contains(const YString& key) const {
    return entries.count(key) != 0;
}

YString KeyValueFile::get(const YString& key) const {
    auto it = entries.find(key);
    return it == entries.end() ? YString() : it->second;
}

void KeyValueFile::save() {
    const YString temporary = file.path + u".tmp";
    try {
        std::unique_ptr<FileWriter> writer;
        if (binary) {
            writer = std::make_unique<ByteFileWriter>(YFile(temporary));
        } else {
            writer = std::make_unique<TextFileWriter>(YFile(temporary));
        }
        for (const auto& [key, value] : entries) {
            writer->writeLine(YString(u"[") + key + u"] = " + value);
            writer->newLine();
        }
        writer->close();
    } catch (...) {
        platform::removeFile(temporary);
        throw;
    }
    if (!platform::replaceFile(temporary, file.path)) {
        platform::removeFile(temporary);
        throw excp::IOException(
            YString(u"IOException::ファイルを書き換えられませんでした。：").append(file.path));
    }
    file.refresh();
}

}  // namespace veru::io
