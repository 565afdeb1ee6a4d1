// The stage script, as text: the packer's check over its lines, then the
// game's reader over the same lines packed as records (enemies and bosses
// of the fuzzer's own, no pictures on disk). Whatever either accepts must
// keep the stage's limits; nothing may crash, hang or grow without bound.
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "engine/exceptions/Exception.h"
#include "engine/io/ByteFileWriter.h"
#include "engine/io/Scrambler.h"
#include "fuzz/FuzzFile.h"
#include "fuzz/SilentBoxes.h"
#include "game/StageScript.h"
#include "game/StageScriptCheck.h"
#include "game/StageScriptReader.h"
#include "game/shooting/cmp/ScrollBackground.h"
#include "game/shooting/object/bosses/Boss.h"
#include "game/shooting/object/bosses/BossTable.h"
#include "game/shooting/object/enemies/EnemyObject.h"

namespace {

namespace obj = ml::shooting::object;
using veru::YString;

class Bat : public obj::EnemyObject {
  public:
    Bat() : EnemyObject(800, 480) {}
    void loadTextures(obj::VideoDevice*) override {}
    void loadSounds(obj::SoundManger&) override {}
    void applyLevel(int) override {}
    void move(int, int) override {}
};

const obj::BossRow kFuzzBossRow{.name = "Fuzz", .hp = obj::every(100), .pinch_ratio = 0.34};

class Boss : public obj::Boss {
  public:
    Boss() : obj::Boss(800, 480, kFuzzBossRow) {}
    void loadTextures(obj::VideoDevice*) override {}
    void loadSounds(obj::SoundManger&) override {}
    void firstPhase(int, int) override {}
    void secondPhase(int, int) override {}
};

bool inLimits(int position, int y) {
    return position >= ml::StageLimits::kMinPosition && position <= ml::StageLimits::kMaxPosition &&
           y >= ml::StageLimits::kMinHeight && y <= ml::StageLimits::kMaxHeight;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const mirelune::fuzz::FuzzFile file("dat");
    static const bool ready =
        (veru::io::registerGameFileKeys(), mirelune::fuzz::silenceBoxes(), true);
    (void)ready;

    std::vector<YString> lines;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(YString::fromUtf8(text.substr(0, end)));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }

    const auto everyFile = [](const YString&, ml::StageFileUse) { return true; };
    const ml::StageScriptCheckResult checked = ml::checkStageScript(lines, everyFile);
    if (checked.ok()) {
        for (const ml::StageEnemyPlan& enemy : checked.plan.enemies)
            if (!inLimits(enemy.position, enemy.y))
                __builtin_trap();  // the check passed what the game refuses
        if (checked.plan.bossDelay < 0 || checked.plan.bossDelay > ml::StageLimits::kMaxWait)
            __builtin_trap();
    }

    try {
        veru::io::ByteFileWriter writer(file.path);
        writer.setKeys(0, veru::io::fileKeyFor("dat"));
        for (const YString& line : lines) {
            if (line.empty())
                writer.writeInt(0);  // a blank line, as the packer keeps it
            else
                writer.writeLine(line);
        }
        writer.close();
    } catch (const veru::excp::Exception&) {
        return 0;
    }
    ml::shooting::cmp::ScrollBackground background(800, 480);
    ml::StageContent content;
    ml::StageScriptReader reader(
        nullptr, nullptr, 0x200001, background,
        [](std::string_view) { return std::make_unique<Bat>(); },
        [](std::string_view) { return std::make_unique<Boss>(); });
    try {
        reader.readStageScript(file.path, content);
    } catch (const veru::excp::Exception& e) {
        if (e.getMessage().empty())
            __builtin_trap();  // every refusal says what is wrong
    }
    if (content.timeline.size() != content.waitingEnemies.size())
        __builtin_trap();
    for (const auto& [position, y] : content.timeline)
        if (!inLimits(position, y))
            __builtin_trap();
    return 0;
}
