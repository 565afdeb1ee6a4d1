#pragma once
// KeyValueFile: a small store of key/value texts bound to one file.
//
// Each entry is stored as the record "[" + key + "] = " + value: a string
// record of ByteFileReader/ByteFileWriter for binary files, or a CP932 text
// line for files named *.txt or *.ini. Entries are kept and written in key
// order. Keys and values cannot hold a space, comma, bracket or '=': a value
// is cut at the first one when read back.
//
// Ownership: owns its entries; holds no open file between calls.
// Failure: load and save throw IOException / EOFException from the reader or
// writer. save writes a temporary file beside the real one and renames it
// over it, so a failed save leaves the old file as it was.

#include <functional>
#include <map>

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
    // empty and false is returned.
    bool load();
    // Replaces any entry for `key`.
    void set(const YString& key, const YString& value);
    bool contains(const YString& key) const;
    // The value, or the empty text when the key has no entry.
    YString get(const YString& key) const;
    // Writes every entry, in key order, to the file.
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

    bool binary;
    YFile file;
    std::map<YString, YString, std::less<std::u16string>> entries;
};

}  // namespace veru::io
