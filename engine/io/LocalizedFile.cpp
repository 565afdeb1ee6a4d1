#include "engine/io/LocalizedFile.h"

#include <set>

#include "engine/core/MessageBox.h"
#include "engine/io/YFile.h"
#include "engine/platform/FileSystem.h"

namespace veru::io {

YString localizedFile(const YString& path, Language language) {
    if (language == Language::japanese)
        return path;
    YString wanted = localizedPath(path, language);
    if (YFile(wanted).exists)
        return wanted;
    static std::set<std::u16string> warned;
    if (warned.insert(wanted).second) {
        awt::showWarning(YString(wanted)
                             .append(u"：ファイルがありません。")
                             .append(path)
                             .append(u"を代わりに使います。"),
                         u"localizedFile()");
    }
    return path;
}

YString localizedFile(const YString& path) {
    return localizedFile(path, currentLanguage());
}

YString localizedFileIfPresent(const YString& path) {
    const Language language = currentLanguage();
    if (language == Language::japanese)
        return path;
    YString wanted = localizedPath(path, language);
    return platform::rememberedStatus(wanted).exists ? wanted : path;
}

}  // namespace veru::io
