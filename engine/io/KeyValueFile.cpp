#include "engine/io/KeyValueFile.h"

#include <memory>
#include <optional>

#include "engine/core/StringTokenizer.h"
#include "engine/exceptions/FileNotFoundException.h"
#include "engine/exceptions/IOException.h"
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

namespace {

struct FramedRecord {
    std::u16string text;
    std::size_t end = 0;  // where the next record starts
};

// Text the settings writer could have written: no control characters, no
// unpaired surrogates, no non-characters (what misaligned bytes turn into).
bool plausibleText(const std::u16string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0x20 || c == 0x7F || c >= 0xFFFD)
            return false;
        if (c >= 0xDC00 && c <= 0xDFFF)
            return false;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
                return false;
            ++i;
        }
    }
    return true;
}

bool blank(const std::u16string& text) {
    return text.find_first_not_of(u' ') == std::u16string::npos;
}

// "[" key "]" ...: the shape every record the store writes has.
bool looksLikeRecord(const std::u16string& text) {
    const std::size_t start = text.find_first_not_of(u' ');
    return start != std::u16string::npos && text[start] == u'[' &&
           text.find(u']', start) != std::u16string::npos;
}

// The record framed at `at`: a length, then that many UTF-16LE code units of
// plausible text. `resync` asks for more: a record that starts "[" and
// has its "]", so that a search through damage does not stop on noise.
std::optional<FramedRecord> frameAt(const std::vector<std::uint8_t>& bytes, std::size_t at,
                                    bool resync) {
    if (bytes.size() - at < 4)
        return std::nullopt;
    const std::uint32_t raw = static_cast<std::uint32_t>(bytes[at]) |
                              static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
                              static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
                              static_cast<std::uint32_t>(bytes[at + 3]) << 24;
    const auto units = static_cast<std::int32_t>(raw);
    if (units < 0 || units > KeyValueFile::kMaxRecordUnits)
        return std::nullopt;
    const std::size_t end = at + 4 + 2 * static_cast<std::size_t>(units);
    // A length with nothing after it is a file cut short.
    if (end > bytes.size() || (units == 0 && end == bytes.size()))
        return std::nullopt;
    FramedRecord record;
    record.end = end;
    record.text.resize(static_cast<std::size_t>(units));
    for (std::size_t i = 0; i < record.text.size(); ++i) {
        record.text[i] = static_cast<char16_t>(bytes[at + 4 + 2 * i] | bytes[at + 5 + 2 * i] << 8);
    }
    if (!plausibleText(record.text))
        return std::nullopt;
    if (resync &&
        (units < 3 || record.text[0] != u'[' || record.text.find(u']') == std::u16string::npos))
        return std::nullopt;
    return record;
}

YString byteRange(std::size_t from, std::size_t to) {
    return YString::fromInt(static_cast<int>(from))
        .append(u"〜")
        .append(static_cast<int>(to - 1))
        .append(u"バイト目");
}

}  // namespace

bool KeyValueFile::load() {
    problems.clear();
    file.refresh();
    if (!file.exists) {
        // Leave an empty file behind, as a first start does; not being able
        // to create it only matters at save time, which reports it.
        platform::FileHandle::open(file.path, "wb");
        file.refresh();
        return false;
    }
    if (!platform::statPath(file.path).isRegular) {
        // Opening a named pipe or a device could wait for ever.
        problems.push_back(u"通常のファイルではないため読みませんでした。");
        return true;
    }
    if (binary) {
        loadBinary();
    } else {
        loadText();
    }
    return true;
}

void KeyValueFile::loadBinary() {
    platform::FileHandle handle = platform::FileHandle::open(file.path, "rb");
    if (!handle.isOpen())
        throw excp::FileNotFoundException(file.path);
    std::vector<std::uint8_t> bytes(kMaxFileBytes + 1);
    bytes.resize(handle.read(bytes.data(), bytes.size()));
    handle.close();
    if (bytes.size() > kMaxFileBytes) {
        bytes.resize(kMaxFileBytes);
        problems.push_back(YString::fromInt(static_cast<int>(kMaxFileBytes))
                               .append(u"バイトより先は読みませんでした（大きすぎます）。"));
    }
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (auto record = frameAt(bytes, at, false)) {
            if (looksLikeRecord(record->text)) {
                insertRecord(YString(std::move(record->text)));
            } else if (!blank(record->text)) {
                // Framed, but not "[key] = value": its text took a stray
                // byte. Keeping it would carry a garbled key from save to save.
                problems.push_back(
                    byteRange(at, record->end).append(u"の記録が壊れていたため読み飛ばしました。"));
            }
            at = record->end;
            continue;
        }
        // Damage: skip to the next place where a whole record starts.
        std::size_t next = at + 1;
        while (next < bytes.size() && !frameAt(bytes, next, true))
            ++next;
        problems.push_back(byteRange(at, next).append(u"が壊れていたため読み飛ばしました。"));
        at = next;
    }
}

void KeyValueFile::loadText() {
    TextFileReader reader(file);
    while (!reader.isEOF()) {
        std::optional<YString> record = reader.readLine();
        if (!record)
            break;
        if (!record->empty())
            insertRecord(*record);
    }
    reader.close();
}

void KeyValueFile::insertRecord(const YString& record) {
    util::StringTokenizer tokens(record, u"[], =");
    const char16_t* key = tokens.nextToken();
    if (!key)
        return;
    const char16_t* value = tokens.nextToken();
    const YString keyText(key);
    const YString valueText(value ? value : u"");
    if (entries.emplace(keyText, valueText).second &&
        record != YString(u"[") + keyText + u"] = " + valueText)
        inexact.insert(keyText);
}

void KeyValueFile::set(const YString& key, const YString& value) {
    entries.erase(key);
    inexact.erase(key);
    entries.emplace(key, value);
}

bool KeyValueFile::hasExactRecord(const YString& key) const {
    return contains(key) && inexact.count(key) == 0;
}

bool KeyValueFile::contains(const YString& key) const {
    return entries.count(key) != 0;
}

YString KeyValueFile::get(const YString& key) const {
    auto it = entries.find(key);
    return it == entries.end() ? YString() : it->second;
}

void KeyValueFile::save() {
    // Beside the file the path finally names, so that the rename replaces
    // that file and a link to it stays a link.
    const YString target(platform::linkTarget(file.path));
    const YString temporary = target + u".tmp";
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
    if (!platform::replaceFile(temporary, target)) {
        platform::removeFile(temporary);
        throw excp::IOException(
            YString(u"IOException::ファイルを書き換えられませんでした。：").append(target));
    }
    file.refresh();
}

}  // namespace veru::io
