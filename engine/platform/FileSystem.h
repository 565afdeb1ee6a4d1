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
#include <unordered_map>
#include <vector>

namespace veru::platform {

struct FileStatus {
    bool exists = false;
    bool isDirectory = false;
    bool isRegular = false;  // a plain file: no directory, pipe, device or socket
    bool hidden = false;     // the name starts with '.'
    bool readOnly = false;   // nobody may write it
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;  // last change of the contents, ns since 1970
    std::uint64_t device = 0;     // with inode: which file it is, whatever the path
    std::uint64_t inode = 0;
};

// The path as the OS takes it: UTF-8, '/' separators.
std::string osPath(std::u16string_view path);

FileStatus statPath(std::u16string_view path);

// While a StatMemo is alive on a thread, rememberedStatus on that thread asks
// the file system about each path once and answers from memory after that:
// for a burst of reads that asks after the same files again and again (a
// scene's create loads one sheet per bat, hundreds of times), in which a file
// changing meanwhile is not looked for. Without one it is statPath.
// Thread: a memo belongs to the thread that made it; memos nest.
class StatMemo {
  public:
    StatMemo();
    ~StatMemo();
    StatMemo(const StatMemo&) = delete;
    StatMemo& operator=(const StatMemo&) = delete;

  private:
    friend FileStatus rememberedStatus(std::u16string_view path);
    StatMemo* previous;
    std::unordered_map<std::u16string, FileStatus> known;
};
FileStatus rememberedStatus(std::u16string_view path);

enum class ListResult { ok, cannotOpen, failed };
// Fills `names` with every entry of the directory except "." and "..".
ListResult listDirectory(std::u16string_view directory, std::vector<std::u16string>& names);

// Renames `from` over `to` in one step: readers see the old or the new file,
// never a mix. Both must be in the same folder.
bool replaceFile(std::u16string_view from, std::u16string_view to);
bool removeFile(std::u16string_view path);
// The file a path names in the end: symbolic links followed (a relative
// target taken from the link's folder), up to 40 of them. The path itself
// when it is no link, including when it does not exist; a dangling link
// gives the missing file it points at.
std::u16string linkTarget(std::u16string_view path);

// Creates `folder` and any missing parent, each readable and writable by the
// user alone; true when the folder exists afterwards.
bool makeFolders(std::u16string_view folder);
// Whether this user may create files in `folder` (false when it is missing).
bool isWritableFolder(std::u16string_view folder);
// Copies `from` to `to` through a temporary file beside `to` and a rename, so
// `to` is whole or absent; false (and `to` untouched) on any failure. Only a
// regular file is copied.
bool copyFile(std::u16string_view from, std::u16string_view to);

// A new empty folder under the system's temporary folder, removed with all
// it holds when this goes. For tools that must hand a path to code which
// writes files they do not want to keep. path() is empty when no folder
// could be made.
class TemporaryFolder {
  public:
    explicit TemporaryFolder(std::string_view prefix = "mirelune-");
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::u16string& path() const { return folder; }

  private:
    std::u16string folder;
};

}  // namespace veru::platform
