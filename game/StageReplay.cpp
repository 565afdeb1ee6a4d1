#include "game/StageReplay.h"

#include <cstdio>
#include <utility>

#include "engine/exceptions/IOException.h"
#include "engine/input/InputInterface.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/ByteFileWriter.h"
#include "engine/scene/PlayStatus.h"
#include "game/StageBounds.h"
#include "game/StageHeroine.h"
#include "game/StageStateHash.h"
#include "game/settings/GameSetting.h"
#include "game/shooting/object/ObjectCodes.h"

namespace ml {

namespace {

constexpr std::int32_t kOldVersion = 1;      // no start values, no checksum
constexpr std::int32_t kUnnamedVersion = 2;  // no heroine: Shiro's
constexpr std::int32_t kNoStartVersion = 3;  // no start block, no result block

// What a reader found wrong, before the path is put in front of it.
struct Broken {
    std::string what;
};

std::string hex(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
}

// Every int of a file up to the checksum, in file order.
std::vector<std::int32_t> bodyOf(const StageReplay& replay) {
    std::vector<std::int32_t> out = {StageReplay::kMark,
                                     StageReplay::kVersion,
                                     static_cast<std::int32_t>(replay.seed & 0xFFFFFFFFu),
                                     static_cast<std::int32_t>(replay.seed >> 32),
                                     replay.level,
                                     replay.maskShoot,
                                     replay.maskSpecial,
                                     replay.maskBomb,
                                     replay.maskSlow,
                                     replay.maskPause,
                                     replay.startScore,
                                     replay.startLives,
                                     replay.startStock,
                                     replay.startPower,
                                     replay.character,
                                     replay.startPosition,
                                     replay.startBoss,
                                     static_cast<std::int32_t>(replay.words.size()),
                                     0};
    const std::size_t runCount = out.size() - 1;
    std::int32_t runs = 0;
    for (std::size_t i = 0; i < replay.words.size(); ++runs) {
        std::size_t end = i;
        while (end < replay.words.size() && replay.words[end] == replay.words[i])
            ++end;
        out.push_back(replay.words[i]);
        out.push_back(static_cast<std::int32_t>(end - i));
        i = end;
    }
    out[runCount] = runs;
    const StageReplay::Result result = replay.result.value_or(StageReplay::Result{});
    const auto ended = static_cast<std::uint64_t>(result.endedAt);
    out.insert(out.end(), {replay.result ? 1 : 0, result.score, result.cleared ? 1 : 0,
                           result.frames, static_cast<std::int32_t>(ended & 0xFFFFFFFFu),
                           static_cast<std::int32_t>(ended >> 32)});
    return out;
}

}  // namespace

std::string StageReplay::problem() const {
    if (level != GameSetting::kLevelEasy && level != GameSetting::kLevelNormal &&
        level != GameSetting::kLevelHard)
        return "難易度 " + hex(level) + " はありません";
    const std::pair<const char*, int> masks[] = {{"ショット", maskShoot},
                                                 {"キンツバ", maskSpecial},
                                                 {"ボム", maskBomb},
                                                 {"低速", maskSlow},
                                                 {"ポーズ", maskPause}};
    for (const auto& [name, mask] : masks) {
        if (!GameSetting::usableMask(mask))
            return std::string(name) + "のボタン " + hex(mask) + " は使えない値です";
    }
    const veru::dxt::PlayStatus limits;
    if (startScore < 0)
        return "開始時のスコア " + std::to_string(startScore) + " が負です";
    if (startLives < 0 || startLives > limits.livesMax)
        return "開始時の残機 " + std::to_string(startLives) + " が範囲外です";
    if (startStock < 0 || startStock > limits.stockMax)
        return "開始時のストック " + std::to_string(startStock) + " が範囲外です";
    if (startPower < shooting::object::LEVEL_1 || startPower > shooting::object::LEVEL_5)
        return "開始時のショットレベル " + hex(startPower) + " が範囲外です";
    if (!findHeroine(character))
        return "キャラクター " + std::to_string(character) + " はいません";
    if (startPosition < 0 || startPosition > stage::kLastPosition)
        return "開始位置 " + std::to_string(startPosition) + " が範囲外です";
    if (startBoss < -1)
        return "開始時のボス " + std::to_string(startBoss) + " が範囲外です";
    if (words.size() > static_cast<std::size_t>(kMaxFrames))
        return "フレームが多すぎます";
    for (std::size_t f = 0; f < words.size(); ++f) {
        if ((words[f] & ~veru::dxt::event::kWordBits) != 0)
            return "フレーム " + std::to_string(f) + " のボタン " + hex(words[f]) + " が範囲外です";
    }
    if (result && (result->score < 0 || result->frames < 0 || result->frames > kMaxFrames))
        return "結果のスコアかフレーム数が範囲外です";
    return {};
}

namespace {

// Puts the start values of `replay` into the settings and status.
void applyStart(const StageReplay& replay, GameSetting& settings, veru::dxt::PlayStatus& status) {
    settings.setLevel(replay.level);
    settings.setMaskShoot(replay.maskShoot);
    settings.setMaskSpecial(replay.maskSpecial);
    settings.setMaskBomb(replay.maskBomb);
    settings.setMaskSlow(replay.maskSlow);
    settings.setMaskPause(replay.maskPause);
    settings.applyMasks();
    settings.setLastScore(replay.startScore);
    status.lives = replay.startLives;
    status.stock = replay.startStock;
    status.power = replay.startPower;
    status.character = replay.character;
}

}  // namespace

StageReplay replayStartOf(const GameSetting& settings, const veru::dxt::PlayStatus& status) {
    StageReplay start;
    start.level = settings.getLevel();
    start.maskShoot = settings.getMaskShoot();
    start.maskSpecial = settings.getMaskSpecial();
    start.maskBomb = settings.getMaskBomb();
    start.maskSlow = settings.getMaskSlow();
    start.maskPause = settings.getMaskPause();
    start.startScore = settings.getLastScore();
    start.startLives = status.lives;
    start.startStock = status.stock;
    start.startPower = status.power;
    start.character = status.character;
    return start;
}

ReplayedSettings::ReplayedSettings(const StageReplay& replay, GameSetting& settings,
                                   veru::dxt::PlayStatus& status)
    : settings(settings),
      status(status),
      own(replayStartOf(settings, status)),
      ownHiScore(settings.getHiScore()),
      ownStatus(std::make_unique<veru::dxt::PlayStatus>(status)) {
    applyStart(replay, settings, status);
}

ReplayedSettings::~ReplayedSettings() {
    applyStart(own, settings, status);
    settings.setHiScore(ownHiScore);
    status = *ownStatus;
}

std::vector<std::uint8_t> stageReplayBytes(const StageReplay& replay) {
    std::vector<std::int32_t> values = bodyOf(replay);
    StageStateHash checksum;
    for (std::int32_t value : values)
        checksum.add(value);
    values.push_back(static_cast<std::int32_t>(checksum.value() & 0xFFFFFFFFu));
    values.push_back(static_cast<std::int32_t>(checksum.value() >> 32));
    std::vector<std::uint8_t> bytes;
    bytes.reserve(values.size() * 4);
    for (std::int32_t value : values) {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
    return bytes;
}

void writeStageReplay(const veru::YString& path, const StageReplay& replay) {
    veru::io::ByteFileWriter out(path);
    out.writeBytes(stageReplayBytes(replay));
    out.close();
}

StageReplay readStageReplay(const veru::YString& path) {
    veru::io::ByteFileReader in(path);
    StageReplay replay;
    StageStateHash checksum;
    auto next = [&] {
        const std::int32_t value = in.readInt();
        checksum.add(value);
        return value;
    };
    try {
        if (in.getRemaining() < 8 || next() != StageReplay::kMark)
            throw Broken{"リプレイファイルではありません"};
        const std::int32_t version = next();
        const bool checked = version == StageReplay::kVersion || version == kNoStartVersion ||
                             version == kUnnamedVersion;
        if (!checked && version != kOldVersion)
            throw Broken{"対応していない版です（版 " + std::to_string(version) + "）"};
        replay.verified = checked;
        const auto low = static_cast<std::uint32_t>(next());
        const auto high = static_cast<std::uint32_t>(next());
        replay.seed = (std::uint64_t{high} << 32) | low;
        for (int* value : {&replay.level, &replay.maskShoot, &replay.maskSpecial, &replay.maskBomb,
                           &replay.maskSlow, &replay.maskPause})
            *value = next();
        if (checked) {
            for (int* value :
                 {&replay.startScore, &replay.startLives, &replay.startStock, &replay.startPower})
                *value = next();
        }
        if (version >= kNoStartVersion)
            replay.character = next();
        if (version >= StageReplay::kVersion) {
            replay.startPosition = next();
            replay.startBoss = next();
        }
        const std::int32_t frames = next();
        const std::int32_t runs = next();
        // Each run takes 8 bytes: a count the file cannot hold is refused
        // before anything is allocated for it.
        const std::int64_t resultBytes = version >= StageReplay::kVersion ? 6 * 4 : 0;
        const std::int64_t tail = (checked ? 8 : 0) + resultBytes;
        if (frames < 0 || frames > StageReplay::kMaxFrames || runs < 0 || runs > frames ||
            static_cast<std::int64_t>(runs) * 8 + tail != in.getRemaining())
            throw Broken{"フレーム数と記録の長さが合いません"};
        replay.words.reserve(static_cast<std::size_t>(frames));
        for (std::int32_t r = 0; r < runs; ++r) {
            const int word = next();
            const std::int32_t length = next();
            if (length < 1 || length > frames - static_cast<std::int32_t>(replay.words.size()))
                throw Broken{"フレーム数と記録の長さが合いません"};
            replay.words.insert(replay.words.end(), static_cast<std::size_t>(length), word);
        }
        if (static_cast<std::int32_t>(replay.words.size()) != frames)
            throw Broken{"フレーム数と記録の長さが合いません"};
        if (resultBytes > 0) {
            const std::int32_t known = next();
            StageReplay::Result result;
            result.score = next();
            const std::int32_t cleared = next();
            result.frames = next();
            const auto endLow = static_cast<std::uint32_t>(next());
            const auto endHigh = static_cast<std::uint32_t>(next());
            result.endedAt = static_cast<std::int64_t>((std::uint64_t{endHigh} << 32) | endLow);
            result.cleared = cleared == 1;
            if ((known != 0 && known != 1) || (cleared != 0 && cleared != 1))
                throw Broken{"結果の記録が範囲外です"};
            if (known == 1)
                replay.result = result;
            else if (result != StageReplay::Result{})
                throw Broken{"結果の記録が範囲外です"};
        }
        if (checked) {
            const std::uint64_t expected = checksum.value();
            const auto low32 = static_cast<std::uint32_t>(in.readInt());
            const auto high32 = static_cast<std::uint32_t>(in.readInt());
            if (((std::uint64_t{high32} << 32) | low32) != expected)
                throw Broken{"チェックサムが合いません（記録が書き換わっています）"};
        }
        if (std::string wrong = replay.problem(); !wrong.empty())
            throw Broken{std::move(wrong)};
    } catch (const Broken& broken) {
        throw veru::excp::IOException(veru::YString(u"リプレイファイルが壊れています。：") + path +
                                      u"\n" + veru::YString::fromUtf8(broken.what));
    } catch (const veru::excp::Exception&) {
        throw veru::excp::IOException(veru::YString(u"リプレイファイルが壊れています。：") + path +
                                      u"\n" + veru::YString(u"ファイルが途中で切れています"));
    }
    return replay;
}

std::string unverifiedWarning(const veru::YString& path) {
    return "チェックサムのない古い版（版 " + std::to_string(kOldVersion) +
           "）のリプレイです。壊れていても気づけないため、結果は確かめられません：" + path.toUtf8();
}

}  // namespace ml
