#include "engine/io/YFile.h"

#include "engine/core/SharedTextBuffer.h"
#include "engine/exceptions/IOException.h"
#include "engine/platform/FileSystem.h"

namespace veru::io {

YFile::YFile(const YString& path) : path(path) {
    refresh();
}

YFile& YFile::operator=(const YString& newPath) {
    path = newPath;
    refresh();
    return *this;
}

void YFile::refresh() {
    platform::FileStatus status = platform::statPath(path);
    exists = status.exists;
    isFile = !status.isDirectory;
    hidden = status.hidden;
    readOnly = status.readOnly;
    size = static_cast<std::int32_t>(static_cast<std::uint32_t>(status.size & 0xFFFFFFFFu));
}

bool YFile::renameTo(const YString& newPath) {
    bool renamed = platform::replaceFile(path, newPath);
    refresh();
    return renamed;
}

const char16_t* YFile::pathText() const {
    return copyToSharedTextBuffer(path);
}

std::vector<YFile> YFile::listEntries() const {
    std::vector<std::u16string> names;
    std::vector<YFile> entries;
    switch (platform::listDirectory(path, names)) {
        case platform::ListResult::cannotOpen:
            return entries;
        case platform::ListResult::failed:
            throw excp::IOException(
                YString(u"IOException::フォルダの中身を読めませんでした。：").append(path));
        case platform::ListResult::ok:
            break;
    }
    entries.reserve(names.size());
    for (const std::u16string& name : names) {
        YString child = path;
        if (!child.empty() && child.back() != u'/' && child.back() != u'\\')
            child.append(u"/");
        entries.emplace_back(child.append(YString(name)));
    }
    return entries;
}

}  // namespace veru::io
