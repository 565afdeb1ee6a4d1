#include "game/StageScript.h"

#include "engine/material/Texture.h"
#include "game/StageScriptReader.h"
#include "game/StageStart.h"
#include "game/StageTalkText.h"
#include "game/shooting/cmp/AlphaParts.h"
#include "game/shooting/cmp/BossFace.h"
#include "game/shooting/object/bosses/Boss.h"
#include "game/shooting/object/enemies/EnemyObject.h"
#include "game/shooting/object/items/ItemObject.h"

namespace ml {

StageContent::StageContent() = default;

StageContent::~StageContent() {
    // Enemies borrow their items: they go first.
    waitingEnemies.clear();
}

StageContent::StageContent(StageContent&&) noexcept = default;
StageContent& StageContent::operator=(StageContent&& other) noexcept {
    waitingEnemies.clear();
    steps = std::move(other.steps);
    pictureTable = std::move(other.pictureTable);
    timeline = std::move(other.timeline);
    waitingEnemies = std::move(other.waitingEnemies);
    chanceItems = std::move(other.chanceItems);
    kintubaItems = std::move(other.kintubaItems);
    levelUpItems = std::move(other.levelUpItems);
    boss = std::move(other.boss);
    bossDelay = other.bossDelay;
    stageMusic = other.stageMusic;
    bossMusic = other.bossMusic;
    bossFace = std::move(other.bossFace);
    infoStart1 = std::move(other.infoStart1);
    infoStart2 = std::move(other.infoStart2);
    infoEnd = std::move(other.infoEnd);
    return *this;
}

void readStageScript(const veru::YString& path, veru::platform::VideoDevice* device,
                     veru::sound::SoundManger* sounds, int level,
                     shooting::cmp::ScrollBackground& background, StageContent& into,
                     const StageStart* start) {
    StageScriptReader reader(device, sounds, level, background);
    if (start && !start->isWholeStage()) {
        reader.setLineEdit([start](std::vector<veru::YString> lines) {
            std::vector<std::string> text;
            text.reserve(lines.size());
            for (const veru::YString& line : lines)
                text.push_back(line.toUtf8());
            lines.clear();
            for (const std::string& line : startScript(text, *start))
                lines.push_back(veru::YString::fromUtf8(line));
            return lines;
        });
    }
    reader.readStageScript(path, into);
    // The talk takes its words in the game's language from the whole
    // script's talk before the steps a start leaves out go.
    useStageTalkLanguage(path, into);
    if (start)
        trimStartSteps(into.steps, *start);
}

}  // namespace ml
