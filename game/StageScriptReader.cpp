#include "game/StageScriptReader.h"

#include <set>

#include "engine/exceptions/Exception.h"
#include "engine/exceptions/FileNotFoundException.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/Scrambler.h"
#include "engine/io/YFile.h"
#include "engine/material/Texture.h"
#include "engine/sound/SoundManger.h"
#include "engine/sound/TunePreload.h"
#include "game/StageBounds.h"
#include "game/StageScriptWords.h"
#include "game/shooting/cmp/AlphaParts.h"
#include "game/shooting/cmp/BossFace.h"
#include "game/shooting/cmp/ScrollBackground.h"
#include "game/shooting/object/bosses/Boss.h"
#include "game/shooting/object/bosses/BossFactory.h"
#include "game/shooting/object/enemies/BatFactory.h"
#include "game/shooting/object/items/ChanceItem.h"
#include "game/shooting/object/items/KintubaItem.h"
#include "game/shooting/object/items/LevelUpItem.h"

namespace ml {

using veru::YString;
namespace object = shooting::object;
namespace cmp = shooting::cmp;

namespace {

YString quoted(const YString& word) {
    return YString(u"「").append(word).append(u"」");
}

// The three captions: centred at x 400 and the height given, with their fade
// steps and hold frames.
struct Caption {
    StageWord word;
    std::unique_ptr<cmp::AlphaParts> StageContent::*slot;
    int y, fadeIn, fadeOut, hold;
};
constexpr Caption kCaptions[] = {
    {StageWord::InfoStart1, &StageContent::infoStart1, 220, 8, 3, 30},
    {StageWord::InfoStart2, &StageContent::infoStart2, 260, 8, 3, 30},
    {StageWord::InfoEnd, &StageContent::infoEnd, 240, 10, 3, 60},
};

const Caption* captionFor(StageWord word) {
    for (const Caption& caption : kCaptions)
        if (caption.word == word)
            return &caption;
    return nullptr;
}

}  // namespace

StageScriptReader::BatMaker StageScriptReader::gameBats() {
    return [](std::string_view kind) {
        return object::createBat(kind, stage::kFieldWidth, stage::kFieldHeight);
    };
}

StageScriptReader::BossMaker StageScriptReader::gameBosses() {
    return [](std::string_view name) {
        return object::createBoss(name, stage::kFieldWidth, stage::kFieldHeight);
    };
}

StageScriptReader::StageScriptReader(veru::platform::VideoDevice* device,
                                     veru::sound::SoundManger* sounds, int difficulty,
                                     cmp::ScrollBackground& background, BatMaker bats,
                                     BossMaker bosses)
    : device(device),
      sounds(sounds),
      difficulty(difficulty),
      background(background),
      bats(std::move(bats)),
      bosses(std::move(bosses)) {}

void StageScriptReader::fail(const YString& what) const {
    throw veru::excp::Exception(YString(path).append(u"：").append(what));
}

void StageScriptReader::failHere(const YString& what) const {
    throw veru::excp::Exception(
        YString(path).append(u"（").append(lineNumber).append(u"行目）：").append(what));
}

// A missing tune stops the reading as a missing picture does, instead of
// leaving the stage silent without a word. Tunes are streamed: opening one
// decodes only its first seconds, and its own thread decodes the rest while
// it plays, so the stage opens quickly and nothing is read on the game's
// thread once it runs. Read ahead without a sound manager, the tune is
// opened and begun for the stream that create will make.
veru::sound::ISound* StageScriptReader::tune(const YString& name) const {
    if (!veru::io::YFile(name).exists)
        throw veru::excp::FileNotFoundException(name);
    if (!sounds) {
        veru::sound::preloadTune(name);
        return nullptr;
    }
    return dynamic_cast<veru::sound::ISound*>(sounds->getStreamingSound(name));
}

std::vector<YString> StageScriptReader::readLines(const YString& scriptPath) {
    const veru::io::YFile file(scriptPath);
    if (file.exists && (file.size < 0 || file.size > StageLimits::kMaxFileBytes))
        fail(YString(u"ファイルが大きすぎます（")
                 .append(static_cast<int>(StageLimits::kMaxFileBytes / 1024))
                 .append(u"KBまで）。"));
    veru::io::ByteFileReader reader(file);
    reader.setKeys(0, veru::io::fileKeyFor("dat"));
    std::vector<YString> lines;
    while (!reader.isEOF()) {
        std::optional<YString> record = reader.readLine();
        if (!record)
            break;
        if (++lineNumber > StageLimits::kMaxLines)
            failHere(
                YString(u"行が多すぎます（").append(StageLimits::kMaxLines).append(u"行まで）。"));
        lines.push_back(std::move(*record));
    }
    reader.close();
    return lines;
}

void StageScriptReader::readStageScript(const YString& scriptPath, StageContent& content) {
    path = scriptPath;
    lineNumber = 0;
    pendingItem = nullptr;
    std::vector<YString> lines = readLines(scriptPath);
    if (lineEdit) {
        try {
            lines = lineEdit(std::move(lines));
        } catch (const veru::excp::Exception& e) {
            fail(e.getMessage());
        }
    }
    const StageScriptParse parse = parseStageScript(lines);
    bool shooting = false;
    std::set<StageWord> setUp;
    for (const StageStatement& s : parse.statements) {
        lineNumber = s.line;
        if (const StageFault* fault = s.refusal())
            failHere(describeStageFaultJa(s, *fault));
        build(s, content);
        if (s.runsInScene())
            content.steps.push_back(step(s, content));
        if (s.place == StagePlace::Top) {
            shooting = shooting || s.word() == StageWord::Shooting;
            setUp.insert(s.word());
        }
    }
    // A script that ends inside its shooting section.
    dropItem(pendingItem, content);
    pendingItem = nullptr;

    if (!shooting)
        fail(u"「Shooting」の節がありません。");
    if (!content.boss)
        fail(u"ボスがいません（「Shooting」の節に「Boss」の行がありません）。");
    for (const StageRule& rule : stageRules())
        if (rule.need == StageNeed::Game && !setUp.count(rule.word))
            fail(quoted(rule.spelling).append(u"の行がありません。"));
}

void StageScriptReader::build(const StageStatement& s, StageContent& content) {
    switch (s.word()) {
        case StageWord::Back:
            // A picture it cannot read has shown its box; the stage plays on
            // without a backdrop.
            background.read(device, s.argument(0));
            break;
        case StageWord::Bgm:
            content.stageMusic = tune(s.argument(0));
            break;
        case StageWord::BossBgm:
            content.bossMusic = tune(s.argument(0));
            break;
        case StageWord::BossFace:
            content.bossFace =
                std::make_unique<cmp::BossFace>(stage::kFieldWidth, stage::kFieldHeight);
            content.bossFace->load(device, s.argument(0));
            break;
        case StageWord::InfoStart1:
        case StageWord::InfoStart2:
        case StageWord::InfoEnd: {
            const Caption& caption = *captionFor(s.word());
            auto& slot = content.*(caption.slot);
            slot = std::make_unique<cmp::AlphaParts>(400, caption.y, caption.fadeIn,
                                                     caption.fadeOut, caption.hold);
            slot->load(device, s.argument(0));
            break;
        }
        case StageWord::Init:
            for (int side = 0; side < 2; ++side)
                if (!s.argument(side).equalsText(u"null"))
                    loadPicture(s.argument(side), content);
            break;
        case StageWord::Image1:
        case StageWord::Image2:
        case StageWord::ImageOther:
            loadPicture(s.argument(0), content);
            break;
        case StageWord::Enemy: {
            object::EnemyObject& enemy = createEnemy(s.argument(0), content);
            content.timeline.emplace_back(s.number(1), s.number(2));
            enemy.setItem(pendingItem);
            pendingItem = nullptr;
            break;
        }
        case StageWord::Boss:
            createBoss(s.argument(0), content);
            break;
        case StageWord::Item:
            // An item no enemy takes up would never appear, and the boss
            // waits for every item to be gone: it leaves the stage at once.
            dropItem(pendingItem, content);
            pendingItem = &createItem(s.argument(0), content);
            break;
        case StageWord::Wait:
            content.bossDelay = s.number(0);
            break;
        case StageWord::End:
            if (s.place == StagePlace::Shooting) {
                dropItem(pendingItem, content);
                pendingItem = nullptr;
            }
            break;
        default:
            break;
    }
}

StageStep StageScriptReader::step(const StageStatement& s, const StageContent& content) const {
    const auto picture = [&](const YString& name) -> veru::dxt::material::Texture* {
        const auto found = content.pictureTable.find(name);
        return found == content.pictureTable.end() ? nullptr : found->second.get();
    };
    StageStep step;
    step.word = s.word();
    step.line = s.line;
    step.side = s.rule ? s.rule->side : 0;
    switch (s.word()) {
        case StageWord::Init:
            for (int side = 0; side < 2; ++side)
                step.pictures[static_cast<std::size_t>(side)] = picture(s.argument(side));
            break;
        case StageWord::Image1:
        case StageWord::Image2:
            step.pictures[0] = picture(s.argument(0));
            break;
        case StageWord::Talk1:
        case StageWord::Talk2:
            step.text = s.argument(0);
            break;
        default:
            break;
    }
    return step;
}

void StageScriptReader::loadPicture(const YString& name, StageContent& content) {
    if (content.pictureTable.count(name))
        return;  // the picture loaded first stays
    auto picture = std::make_unique<veru::dxt::material::Texture>();
    picture->load(name, device);
    content.pictureTable.emplace(name, std::move(picture));
}

object::EnemyObject& StageScriptReader::createEnemy(const YString& kind, StageContent& content) {
    // The parse let only known names through: a maker without one is the game's fault.
    std::unique_ptr<object::EnemyObject> enemy = bats(kind.toUtf8());
    if (!enemy)
        failHere(quoted(kind).append(u"を作れません。"));
    enemy->loadTextures(device);
    if (sounds)
        enemy->loadSounds(*sounds);
    enemy->setLevel(difficulty);
    content.waitingEnemies.push_back(std::move(enemy));
    return *content.waitingEnemies.back();
}

object::Boss& StageScriptReader::createBoss(const YString& name, StageContent& content) {
    std::unique_ptr<object::Boss> boss = bosses(name.toUtf8());
    if (!boss)
        failHere(quoted(name).append(u"を作れません。"));
    content.boss = std::move(boss);  // a boss of an earlier line is replaced
    content.boss->loadTextures(device);
    if (sounds)
        content.boss->loadSounds(*sounds);
    content.boss->setLevel(difficulty);
    return *content.boss;
}

object::ItemObject& StageScriptReader::createItem(const YString& kind, StageContent& content) {
    std::unique_ptr<object::ItemObject> item;
    std::vector<std::unique_ptr<object::ItemObject>>* list = nullptr;
    switch (stageItemKind(kind)) {
        case StageItemKind::Chance:
            item = std::make_unique<object::ChanceItem>(stage::kFieldWidth, stage::kFieldHeight);
            list = &content.chanceItems;
            break;
        case StageItemKind::LevelUp:
            item = std::make_unique<object::LevelUpItem>(stage::kFieldWidth, stage::kFieldHeight);
            list = &content.levelUpItems;
            break;
        case StageItemKind::Kintuba:
            item = std::make_unique<object::KintubaItem>(stage::kFieldWidth, stage::kFieldHeight);
            list = &content.kintubaItems;
            break;
        case StageItemKind::None:
            failHere(quoted(kind).append(u"を作れません。"));
    }
    list->push_back(std::move(item));
    object::ItemObject& made = *list->back();
    made.loadTexture(device);
    if (sounds)
        made.loadSound(*sounds);
    made.setLevel(difficulty);
    return made;
}

void StageScriptReader::dropItem(const object::ItemObject* item, StageContent& content) {
    if (!item)
        return;
    for (auto* list : {&content.chanceItems, &content.kintubaItems, &content.levelUpItems})
        for (auto it = list->begin(); it != list->end(); ++it)
            if (it->get() == item) {
                list->erase(it);
                return;
            }
}

}  // namespace ml
