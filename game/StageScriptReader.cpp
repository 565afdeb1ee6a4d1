#include "game/StageScriptReader.h"

#include "engine/exceptions/Exception.h"
#include "engine/exceptions/FileNotFoundException.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/Scrambler.h"
#include "engine/io/YFile.h"
#include "engine/material/Texture.h"
#include "engine/sound/SoundManger.h"
#include "game/StageScriptWords.h"
#include "game/shooting/cmp/AlphaParts.h"
#include "game/shooting/cmp/BossFace.h"
#include "game/shooting/cmp/ScrollBackground.h"
#include "game/shooting/object/BatFactory.h"
#include "game/shooting/object/Boss.h"
#include "game/shooting/object/BossFactory.h"
#include "game/shooting/object/ChanceItem.h"
#include "game/shooting/object/KintubaItem.h"
#include "game/shooting/object/LevelUpItem.h"

namespace ml {

using veru::YString;
using Words = std::vector<YString>;
namespace object = shooting::object;
namespace cmp = shooting::cmp;

namespace {

YString quoted(const YString& word) {
    return YString(u"「").append(word).append(u"」");
}

// The three captions: centred at x 400 and the height given, with their fade
// steps and hold frames.
struct Caption {
    const char16_t* keyword;
    std::unique_ptr<cmp::AlphaParts> StageContent::*slot;
    int y, fadeIn, fadeOut, hold;
};
constexpr Caption kCaptions[] = {
    {u"Info_Start1", &StageContent::infoStart1, 220, 8, 3, 30},
    {u"Info_Start2", &StageContent::infoStart2, 260, 8, 3, 30},
    {u"Info_End", &StageContent::infoEnd, 240, 10, 3, 60},
};

const Caption* captionFor(const YString& word) {
    for (const Caption& caption : kCaptions)
        if (word.equalsText(caption.keyword))
            return &caption;
    return nullptr;
}

}  // namespace

StageScriptReader::BatMaker StageScriptReader::gameBats() {
    return [](std::string_view kind) { return object::createBat(kind, kFieldWidth, kFieldHeight); };
}

StageScriptReader::BossMaker StageScriptReader::gameBosses() {
    return
        [](std::string_view name) { return object::createBoss(name, kFieldWidth, kFieldHeight); };
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

Words StageScriptReader::nextWords(veru::io::ByteFileReader& reader, YString& line) {
    while (!reader.isEOF()) {
        std::optional<YString> record = reader.readLine();
        if (!record)
            break;
        if (++lineNumber > StageLimits::kMaxLines)
            failHere(
                YString(u"行が多すぎます（").append(StageLimits::kMaxLines).append(u"行まで）。"));
        Words words = splitStageLine(*record);
        if (!words.empty()) {
            line = std::move(*record);
            return words;
        }
    }
    return {};
}

const YString& StageScriptReader::argument(const Words& words, std::size_t index) const {
    if (words.size() <= index)
        failHere(quoted(words[0]).append(u"の引数が足りません。"));
    return words[index];
}

int StageScriptReader::number(const Words& words, std::size_t index) const {
    const YString& word = argument(words, index);
    const std::optional<int> value = readStageNumber(word);
    if (!value)
        failHere(YString(u"数値として読めません。").append(quoted(word)));
    return *value;
}

void StageScriptReader::within(int value, int low, int high, const char16_t* what) const {
    if (value < low || value > high)
        failHere(YString(what)
                     .append(u"が範囲外です。「")
                     .append(value)
                     .append(u"」（")
                     .append(low)
                     .append(u"～")
                     .append(high)
                     .append(u"）"));
}

// A missing tune stops the reading as a missing picture does, instead of
// leaving the stage silent without a word. Tunes are streamed: opening one
// decodes only its first seconds, and its own thread decodes the rest while
// it plays, so the stage opens quickly and nothing is read on the game's
// thread once it runs.
veru::sound::ISound* StageScriptReader::tune(const YString& name) const {
    if (!veru::io::YFile(name).exists)
        throw veru::excp::FileNotFoundException(name);
    return sounds ? dynamic_cast<veru::sound::ISound*>(sounds->getStreamingSound(name)) : nullptr;
}

void StageScriptReader::readStageScript(const YString& scriptPath, StageContent& content) {
    path = scriptPath;
    lineNumber = 0;
    const veru::io::YFile file(scriptPath);
    if (file.exists && (file.size < 0 || file.size > StageLimits::kMaxFileBytes))
        fail(YString(u"ファイルが大きすぎます（")
                 .append(static_cast<int>(StageLimits::kMaxFileBytes / 1024))
                 .append(u"KBまで）。"));
    veru::io::ByteFileReader reader(file);
    reader.setKeys(0, veru::io::fileKeyFor("dat"));
    bool shooting = false, backSeen = false;
    YString line;
    for (Words words = nextWords(reader, line); !words.empty(); words = nextWords(reader, line)) {
        const YString& first = words[0];
        if (first.equalsText(u"Back")) {
            // A picture it cannot read has shown its box; the stage plays on
            // without a backdrop.
            background.read(device, argument(words, 1));
            backSeen = true;
        } else if (first.equalsText(u"BGM")) {
            content.stageMusic = tune(argument(words, 1));
        } else if (first.equalsText(u"BOSS_BGM")) {
            content.bossMusic = tune(argument(words, 1));
        } else if (first.equalsText(u"BOSS_Face")) {
            const YString& picture = argument(words, 1);
            content.bossFace = std::make_unique<cmp::BossFace>(kFieldWidth, kFieldHeight);
            content.bossFace->load(device, picture);
        } else if (const Caption* caption = captionFor(first)) {
            const YString& picture = argument(words, 1);
            auto& slot = content.*(caption->slot);
            slot = std::make_unique<cmp::AlphaParts>(400, caption->y, caption->fadeIn,
                                                     caption->fadeOut, caption->hold);
            slot->load(device, picture);
        } else if (wordBeginsWith(first, u"Talking")) {
            content.scriptLines.push_back(line);
            readTalkSection(reader, content);
        } else if (wordBeginsWith(first, u"Shooting")) {
            content.scriptLines.push_back(line);
            shooting = true;
            readShootingSection(reader, content);
        } else if (first.equalsText(u"Boss")) {
            content.scriptLines.push_back(line);
        }
    }
    reader.close();

    if (!shooting)
        fail(u"「Shooting」の節がありません。");
    if (!content.boss)
        fail(u"ボスがいません（「Shooting」の節に「Boss」の行がありません）。");
    const struct {
        bool present;
        const char16_t* keyword;
    } setUp[] = {{backSeen, u"Back"},
                 {content.bossFace != nullptr, u"BOSS_Face"},
                 {content.infoStart1 != nullptr, u"Info_Start1"},
                 {content.infoStart2 != nullptr, u"Info_Start2"},
                 {content.infoEnd != nullptr, u"Info_End"}};
    for (const auto& s : setUp)
        if (!s.present)
            fail(quoted(s.keyword).append(u"の行がありません。"));
}

void StageScriptReader::loadPicture(const YString& name, StageContent& content) {
    if (content.pictureTable.count(name))
        return;  // the picture loaded first stays
    auto picture = std::make_unique<veru::dxt::material::Texture>();
    picture->load(name, device);
    content.pictureTable.emplace(name, std::move(picture));
}

void StageScriptReader::readTalkSection(veru::io::ByteFileReader& reader, StageContent& content) {
    YString line;
    for (Words words = nextWords(reader, line); !words.empty(); words = nextWords(reader, line)) {
        content.scriptLines.push_back(line);
        const YString& first = words[0];
        if (first.equalsText(u"}"))
            return;
        if (first.equalsText(u"Init")) {
            const YString& left = argument(words, 1);
            const YString& right = argument(words, 2);
            for (const YString* name : {&left, &right})
                if (!name->equalsText(u"null"))
                    loadPicture(*name, content);
        } else if (wordContains(first, u"Image")) {
            loadPicture(argument(words, 1), content);
        } else if (first.equalsText(u"1P_Talk") || first.equalsText(u"2P_Talk")) {
            argument(words, 1);  // a talk line needs its text
        }
    }
}

void StageScriptReader::readShootingSection(veru::io::ByteFileReader& reader,
                                            StageContent& content) {
    // An item no enemy takes up would never appear, and the boss waits for
    // every item to be gone: it leaves the stage at once.
    object::ItemObject* pending = nullptr;
    YString line;
    for (Words words = nextWords(reader, line); !words.empty(); words = nextWords(reader, line)) {
        const YString& first = words[0];
        if (first.equalsText(u"}"))
            break;
        if (first.equalsText(u"Enemy")) {
            const YString& kind = argument(words, 1);
            const int position = number(words, 2);
            const int y = number(words, 3);
            within(position, StageLimits::kMinPosition, StageLimits::kMaxPosition, u"敵の位置");
            within(y, StageLimits::kMinHeight, StageLimits::kMaxHeight, u"敵の高さ");
            if (content.waitingEnemies.size() >= static_cast<std::size_t>(StageLimits::kMaxEnemies))
                failHere(YString(u"敵が多すぎます（")
                             .append(StageLimits::kMaxEnemies)
                             .append(u"体まで）。"));
            object::EnemyObject& enemy = createEnemy(kind, content);
            content.timeline.emplace_back(position, y);
            enemy.setItem(pending);
            pending = nullptr;
        } else if (first.equalsText(u"Boss")) {
            createBoss(argument(words, 1), content);
        } else if (first.equalsText(u"Item")) {
            const YString& kind = argument(words, 1);
            dropItem(pending, content);
            pending = &createItem(kind, content);
        } else if (first.equalsText(u"Wait")) {
            content.bossDelay = number(words, 1);
            within(content.bossDelay, 0, StageLimits::kMaxWait, u"Waitのフレーム数");
        }
    }
    dropItem(pending, content);
}

object::EnemyObject& StageScriptReader::createEnemy(const YString& kind, StageContent& content) {
    std::unique_ptr<object::EnemyObject> enemy = isBatKind(kind) ? bats(kind.toUtf8()) : nullptr;
    if (!enemy)
        failHere(
            YString(u"そのような敵はいません。").append(quoted(kind)).append(u"（Bat1～Bat24）"));
    enemy->loadTextures(device);
    if (sounds)
        enemy->loadSounds(*sounds);
    enemy->setLevel(difficulty);
    content.waitingEnemies.push_back(std::move(enemy));
    return *content.waitingEnemies.back();
}

object::Boss& StageScriptReader::createBoss(const YString& name, StageContent& content) {
    std::unique_ptr<object::Boss> boss = isBossName(name) ? bosses(name.toUtf8()) : nullptr;
    if (!boss)
        failHere(YString(u"そのようなボスはいません。").append(quoted(name)));
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
            item = std::make_unique<object::ChanceItem>(kFieldWidth, kFieldHeight);
            list = &content.chanceItems;
            break;
        case StageItemKind::LevelUp:
            item = std::make_unique<object::LevelUpItem>(kFieldWidth, kFieldHeight);
            list = &content.levelUpItems;
            break;
        case StageItemKind::Kintuba:
            item = std::make_unique<object::KintubaItem>(kFieldWidth, kFieldHeight);
            list = &content.kintubaItems;
            break;
        case StageItemKind::None:
            failHere(YString(u"そのようなアイテムはありません。")
                         .append(quoted(kind))
                         .append(u"（Chance、LevelUp、Kintuba）"));
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
