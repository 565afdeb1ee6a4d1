#include "game/StageStart.h"

#include <algorithm>
#include <charconv>

#include "engine/core/YString.h"
#include "engine/exceptions/Exception.h"
#include "engine/scene/PlayStatus.h"
#include "game/StageReplay.h"
#include "game/StageScript.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/bosses/BossTable.h"

namespace ml {

namespace {

[[noreturn]] void fail(const std::string& what) {
    throw veru::excp::Exception(veru::YString::fromUtf8(what));
}

std::string trimmed(const std::string& line) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = line.find_last_not_of(" \t\r");
    return line.substr(first, last - first + 1);
}

bool opensBlock(const std::string& line, const std::string& word) {
    const std::string t = trimmed(line);
    return t.rfind(word, 0) == 0 && t.back() == '{' &&
           trimmed(t.substr(word.size(), t.size() - word.size() - 1)).empty();
}

// The index of the "}" (on a line of its own) closing the block opened at `open`.
std::size_t blockEnd(const std::vector<std::string>& lines, std::size_t open) {
    for (std::size_t i = open + 1; i < lines.size(); ++i) {
        if (trimmed(lines[i]) == "}")
            return i;
    }
    fail(std::to_string(open + 1) + "行目の節が閉じていません。");
}

// An enemy line's position: "Enemy(kind, x, y)" → where x starts and ends.
struct EnemyPlace {
    std::size_t begin = 0;
    std::size_t end = 0;
    int x = 0;
};

std::optional<EnemyPlace> enemyPlace(const std::string& line) {
    const std::string t = trimmed(line);
    if (t.rfind("Enemy(", 0) != 0)
        return std::nullopt;
    const auto comma = line.find(',');
    if (comma == std::string::npos)
        return std::nullopt;
    EnemyPlace place;
    place.begin = line.find_first_not_of(' ', comma + 1);
    if (place.begin == std::string::npos)
        return std::nullopt;
    place.end = line.find(',', place.begin);
    if (place.end == std::string::npos)
        return std::nullopt;
    const auto [ptr, ec] =
        std::from_chars(line.data() + place.begin, line.data() + place.end, place.x);
    if (ec != std::errc() || ptr != line.data() + place.end)
        return std::nullopt;
    return place;
}

std::string bossNames() {
    std::string names;
    for (const auto& row : shooting::object::bossRows())
        names += (names.empty() ? "" : ", ") + std::string(row.name);
    return names;
}

// The shooting section's lines from `from` on, the earliest enemies moved
// to where the section's first enemy stood; the lines left out are blank.
void keepFrom(std::vector<std::string>& body, int from) {
    std::optional<int> firstX;
    std::optional<int> shift;
    bool keeping = true;  // the last enemy was kept: its items stay with it
    for (std::string& line : body) {
        if (const auto place = enemyPlace(line)) {
            if (!firstX)
                firstX = place->x;
            keeping = place->x >= from;
            if (!keeping) {
                line.clear();
                continue;
            }
            if (!shift)
                shift = place->x - *firstX;
            line = line.substr(0, place->begin) + std::to_string(place->x - *shift) +
                   line.substr(place->end);
        } else if (trimmed(line).rfind("Item(", 0) == 0 && !keeping) {
            line.clear();
        }
    }
    if (!shift)
        fail("位置 " + std::to_string(from) + " より後に敵がいません。");
}

bool isTalkLine(StageWord word) {
    switch (word) {
        case StageWord::Init:
        case StageWord::Image1:
        case StageWord::Image2:
        case StageWord::ImageOther:
        case StageWord::Talk1:
        case StageWord::Talk2:
        case StageWord::Unknown:
            return true;
        default:
            return false;
    }
}

}  // namespace

std::optional<int> StageStart::startPower() const {
    if (power)
        return power;
    if (boss.empty())
        return std::nullopt;
    return shooting::object::LEVEL_MAX;
}

void StageStart::applyStatus(veru::dxt::PlayStatus& status) const {
    if (const auto level = startPower())
        status.power = *level;
    if (lives)
        status.lives = *lives;
    if (stock)
        status.stock = *stock;
}

std::vector<std::string> startScript(const std::vector<std::string>& lines,
                                     const StageStart& start) {
    if (!start.boss.empty() && !shooting::object::findBossRow(start.boss))
        fail("ボス「" + start.boss + "」はいません（" + bossNames() + "）。");
    std::vector<std::string> out = lines;
    const auto open = std::find_if(out.begin(), out.end(), [](const std::string& line) {
        return opensBlock(line, "Shooting");
    });
    if (open == out.end())
        fail("「Shooting」の節がありません。");
    const std::size_t first = static_cast<std::size_t>(open - out.begin()) + 1;
    const std::size_t end = blockEnd(out, first - 1);
    std::vector<std::string> body(out.begin() + static_cast<long>(first),
                                  out.begin() + static_cast<long>(end));
    if (!start.boss.empty()) {
        if (body.empty())
            fail(std::to_string(first) + "行目の「Shooting」の節が空です。");
        std::fill(body.begin(), body.end(), std::string());
        body.front() = "Boss(" + start.boss + ")";
    } else if (start.from) {
        keepFrom(body, *start.from);
    }
    std::copy(body.begin(), body.end(), out.begin() + static_cast<long>(first));
    return out;
}

std::pair<int, int> startPointOf(const std::optional<StageStart>& start) {
    if (!start)
        return {0, -1};
    int boss = -1;
    const auto rows = shooting::object::bossRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].name == start->boss)
            boss = static_cast<int>(i);
    }
    return {start->from.value_or(0), boss};
}

std::optional<StageStart> startOfPoint(int position, int boss) {
    const auto rows = shooting::object::bossRows();
    if (boss >= static_cast<int>(rows.size()))
        fail("開始時のボス " + std::to_string(boss) + " はいません（" +
             std::to_string(rows.size()) + " 体まで）。");
    StageStart start;
    if (boss >= 0)
        start.boss = std::string(rows[static_cast<std::size_t>(boss)].name);
    else if (position > 0)
        start.from = position;
    if (start.isWholeStage())
        return std::nullopt;
    return start;
}

StageReplay practiceStartValues(const StageStart& start, int level, int character,
                                const GameSetting& settings, const veru::dxt::PlayStatus& status) {
    StageReplay values = replayStartOf(settings, status);
    veru::dxt::PlayStatus fresh;
    fresh.resetForTalk();  // as a new game starts the stage
    start.applyStatus(fresh);
    values.level = level;
    values.startScore = 0;
    values.startLives = fresh.lives;
    values.startStock = fresh.stock;
    values.startPower = fresh.power;
    values.character = character;
    return values;
}

void trimStartSteps(std::deque<StageStep>& steps, const StageStart& start) {
    if (start.isWholeStage())
        return;
    const auto shooting = std::find_if(steps.begin(), steps.end(), [](const StageStep& step) {
        return step.word == StageWord::Shooting;
    });
    steps.erase(steps.begin(), shooting);
    if (!start.boss.empty())
        std::erase_if(steps, [](const StageStep& step) { return isTalkLine(step.word); });
}

}  // namespace ml
