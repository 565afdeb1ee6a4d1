#pragma once
// What the engine asks of the file system: status, directory listings and
// replacing one file by another. Paths are UTF-16 in the program; they reach
// the OS as UTF-8 with '/' separators ('\' in a path is taken as '/').
//
// Thread: every function may be called from any thread.
// Failure: reported through return values; nothing here throws.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veru::platform {

struct FileStatus {
    bool exists = false;
    bool isDirectory = false;
    bool isRegular = false;  // a plain file: no directory, pipe, device or socket
    bool hidden = false;     // the name starts with '.'
    bool readOnly = false;   // nobody may write it
    std::uint64_t size = 0;
};

// The path as the OS takes it: UTF-8, '/' separators.
std::string osPath(std::u16string_view path);

FileStatus statPath(std::u16string_view path);

enum class ListResult { ok, cannotOpen, failed };
// Fills `names` with every entry of the directory except "." and "..".
ListResult listDirectory(std::u16string_view directory, std::vector<std::u16string>& names);

// Renames `from` over `to` in one step: readers see the old or the new file,
// never a mix. Both must be in the same folder.
bool replaceFile(std::u16string_view from, std::u16string_view to);
bool removeFile(std::u16string_view path);

}  // namespace veru::platform
