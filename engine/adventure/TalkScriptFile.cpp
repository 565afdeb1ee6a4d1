#include "engine/adventure/TalkScriptFile.h"

#include <optional>

#include "engine/exceptions/IOException.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/Scrambler.h"

namespace veru::adv {

std::vector<TalkLine> readNumberedTalkScript(const YString& path) {
    const io::YFile file(path);
    if (file.exists && (file.size < 0 || file.size > kMaxTalkScriptBytes))
        throw excp::IOException(YString(path)
                                    .append(u"：ファイルが大きすぎます（")
                                    .append(kMaxTalkScriptBytes / 1024)
                                    .append(u"KBまで）。"));
    // An empty file is a script lost in a copy or a save, never one meant
    // to say nothing: refuse it as the stage scripts are refused.
    if (file.exists && file.size == 0)
        throw excp::IOException(YString(path).append(u"：ファイルが空です。"));
    io::ByteFileReader reader(file);
    reader.setKeys(0, io::fileKeyFor("dat"));
    std::vector<TalkLine> lines;
    int number = 0;
    while (!reader.isEOF()) {
        std::optional<YString> line = reader.readLine();
        if (!line)
            break;
        ++number;
        if (!line->empty())
            lines.push_back({std::move(*line), number});
    }
    reader.close();
    return lines;
}

std::vector<YString> readTalkScript(const YString& path) {
    std::vector<YString> texts;
    for (TalkLine& line : readNumberedTalkScript(path))
        texts.push_back(std::move(line.text));
    return texts;
}

YString talkScriptMessage(const YString& path, int line, const YString& what) {
    return YString(path).append(u"（").append(line).append(u"行目）：").append(what);
}

}  // namespace veru::adv
