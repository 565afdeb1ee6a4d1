#pragma once
// KeyValueFile: a small store of key/value texts bound to one file.
//
// Each entry is stored as the record "[" + key + "] = " + value: a string
// record of ByteFileReader/ByteFileWriter for binary files, or a CP932 text
// line for files named *.txt or *.ini. Entries are kept and written in key
// order. Keys and values cannot hold a space, comma, bracket or '=': a value
// is cut at the first one when read back.
//
// A damaged binary file (a stray or missing byte, a cut-off end, garbage in
// between) does not stop the load: every record that can still be framed is
// kept, the reader skips forward to the next record that looks whole, and
// what was skipped is listed in getProblems(). Only regular files are read:
// a named pipe or a device under the name is left alone (it could block the
// start for ever), listed as a problem.
//
// Ownership: owns its entries; holds no open file between calls.
// Failure: load throws FileNotFoundException when an existing file cannot be
// opened, and text files throw IOException / EOFException from the text
// reader. save writes a temporary file beside the real one and renames it
// over it, so a failed save leaves the old file as it was.

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "engine/core/YString.h"
#include "engine/io/YFile.h"

namespace veru::io {

class KeyValueFile {
  public:
    // Binary unless the suffix is "txt" or "ini". Loads the file at once
    // unless `loadNow` is false (an empty store bound to the path).
    explicit KeyValueFile(const YString& path, bool loadNow = true);

    // Reads the file's records into the store; a key already present keeps
    // its value (the first record of a key wins). A missing file is created
    // empty and false is returned. Clears and refills getProblems().
    bool load();
    // What the last load could not read, one line each ("bytes 12-40 ...");
    // empty when the file was whole.
    const std::vector<YString>& getProblems() const { return problems; }
    bool isDamaged() const { return !problems.empty(); }

    // Files larger than this are read only this far (a settings file is a
    // few hundred bytes).
    static constexpr std::size_t kMaxFileBytes = 1 << 20;
    // A record longer than this (in UTF-16 code units) is taken as damage.
    static constexpr std::int32_t kMaxRecordUnits = 4096;
    // Replaces any entry for `key`.
    void set(const YString& key, const YString& value);
    bool contains(const YString& key) const;
    // Whether the key's entry came from a record of exactly "[" key "] = "
    // value (or was set here): a damaged "=" or space still splits into a key
    // and a value, but not into that shape.
    bool hasExactRecord(const YString& key) const;
    // The value, or the empty text when the key has no entry.
    YString get(const YString& key) const;
    // Writes every entry, in key order, to the file; a symbolic link is
    // written through to its target and stays a link.
    void save();

    // The names the settings code uses for the same operations.
    bool has(const YString& key) const { return contains(key); }
    void put(const YString& key, const YString& value) { set(key, value); }
    void write() { save(); }

    bool isBinary() const { return binary; }
    const YFile& getFile() const { return file; }
    const std::map<YString, YString, std::less<std::u16string>>& getEntries() const {
        return entries;
    }

  private:
    void insertRecord(const YString& record);
    void loadBinary();
    void loadText();

    bool binary;
    YFile file;
    std::map<YString, YString, std::less<std::u16string>> entries;
    std::set<YString, std::less<std::u16string>> inexact;  // keys read from odd records
    std::vector<YString> problems;
};

}  // namespace veru::io
