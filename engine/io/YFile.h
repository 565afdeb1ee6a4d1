#pragma once
// YFile: a file's name and what the file system said about it.
//
// Constructing or assigning from a path reads the status at that moment; it
// is not refreshed later (call refresh()). A plain, copyable value.

#include <cstdint>
#include <vector>

#include "engine/core/YString.h"

namespace veru::io {

class YFile {
  public:
    YFile() = default;
    explicit YFile(const YString& path);
    YFile& operator=(const YString& path);

    // Reads the status of `path` again.
    void refresh();

    // Renames the file to `newPath` (replacing a file there) and refreshes
    // this status; false when the system refused.
    bool renameTo(const YString& newPath);

    // The path in the shared text buffer; null for 1024 code units or more.
    const char16_t* pathText() const;

    // Every entry of this directory except "." and "..", each named
    // directory + "/" + name. Empty when the directory cannot be opened;
    // throws IOException when the listing breaks off.
    std::vector<YFile> listEntries() const;

    bool exists = false;    // a file or directory is there
    bool isFile = true;     // false only for a directory
    bool hidden = false;    // the name starts with '.'
    bool readOnly = false;  // nobody may write it
    std::int32_t size = 0;  // low 32 bits of the size in bytes; 0 when absent
    YString path;           // as given; relative to the working directory
};

}  // namespace veru::io
