#include "engine/adventure/TalkScriptFile.h"

#include <optional>

#include "engine/exceptions/IOException.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/Scrambler.h"

namespace veru::adv {

std::vector<YString> readTalkScript(const YString& path) {
    const io::YFile file(path);
    if (file.exists && (file.size < 0 || file.size > kMaxTalkScriptBytes))
        throw excp::IOException(YString(path)
                                    .append(u"：ファイルが大きすぎます（")
                                    .append(kMaxTalkScriptBytes / 1024)
                                    .append(u"KBまで）。"));
    io::ByteFileReader reader(file);
    reader.setKeys(0, io::fileKeyFor("dat"));
    std::vector<YString> lines;
    while (!reader.isEOF()) {
        std::optional<YString> line = reader.readLine();
        if (!line)
            break;
        if (!line->empty())
            lines.push_back(std::move(*line));
    }
    reader.close();
    return lines;
}

}  // namespace veru::adv
