#include "game/StageReplay.h"

#include <utility>

#include "engine/exceptions/IOException.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/ByteFileWriter.h"

namespace ml {

namespace {

// Longer than any stage can run (100000 frames is about half an hour).
constexpr std::int32_t kMaxFrames = 10'000'000;

[[noreturn]] void throwBroken(const veru::YString& path) {
    throw veru::excp::IOException(veru::YString(u"リプレイファイルが壊れています。：") + path);
}

}  // namespace

void writeStageReplay(const veru::YString& path, const StageReplay& replay) {
    std::vector<std::pair<int, int>> runs;
    for (int word : replay.words) {
        if (!runs.empty() && runs.back().first == word)
            ++runs.back().second;
        else
            runs.emplace_back(word, 1);
    }
    veru::io::ByteFileWriter out(path);
    out.writeInt(StageReplay::kMark);
    out.writeInt(StageReplay::kVersion);
    out.writeInt(static_cast<std::int32_t>(replay.seed & 0xFFFFFFFFu));
    out.writeInt(static_cast<std::int32_t>(replay.seed >> 32));
    for (int value : {replay.level, replay.maskShoot, replay.maskSpecial, replay.maskBomb,
                      replay.maskSlow, replay.maskPause})
        out.writeInt(value);
    out.writeInt(static_cast<std::int32_t>(replay.words.size()));
    out.writeInt(static_cast<std::int32_t>(runs.size()));
    for (const auto& [word, length] : runs) {
        out.writeInt(word);
        out.writeInt(length);
    }
    out.close();
}

StageReplay readStageReplay(const veru::YString& path) {
    veru::io::ByteFileReader in(path);
    StageReplay replay;
    try {
        if (in.readInt() != StageReplay::kMark || in.readInt() != StageReplay::kVersion)
            throwBroken(path);
        const auto low = static_cast<std::uint32_t>(in.readInt());
        const auto high = static_cast<std::uint32_t>(in.readInt());
        replay.seed = (std::uint64_t{high} << 32) | low;
        replay.level = in.readInt();
        replay.maskShoot = in.readInt();
        replay.maskSpecial = in.readInt();
        replay.maskBomb = in.readInt();
        replay.maskSlow = in.readInt();
        replay.maskPause = in.readInt();
        const std::int32_t frames = in.readInt();
        const std::int32_t runs = in.readInt();
        // Each run takes 8 bytes: a count the file cannot hold is refused
        // before anything is allocated for it.
        if (frames < 0 || frames > kMaxFrames || runs < 0 || runs > frames ||
            static_cast<std::int64_t>(runs) * 8 != in.getRemaining())
            throwBroken(path);
        replay.words.reserve(static_cast<std::size_t>(frames));
        for (std::int32_t r = 0; r < runs; ++r) {
            const int word = in.readInt();
            const std::int32_t length = in.readInt();
            if (length < 1 || length > frames - static_cast<std::int32_t>(replay.words.size()))
                throwBroken(path);
            replay.words.insert(replay.words.end(), static_cast<std::size_t>(length), word);
        }
        if (static_cast<std::int32_t>(replay.words.size()) != frames)
            throwBroken(path);
    } catch (const veru::excp::Exception&) {
        throwBroken(path);  // a file cut short, or the refusal above
    }
    return replay;
}

}  // namespace ml
