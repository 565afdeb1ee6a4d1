#include "tools/playtest/StageStart.h"

#include <charconv>
#include <stdexcept>

#include "engine/core/YString.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/ByteFileWriter.h"
#include "engine/io/Scrambler.h"
#include "engine/io/YFile.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/bosses/BossTable.h"

namespace ml::playtest {

namespace {

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

// The line after the block opened at `open` ("}" on a line of its own).
std::size_t afterBlock(const std::vector<std::string>& lines, std::size_t open) {
    for (std::size_t i = open + 1; i < lines.size(); ++i) {
        if (trimmed(lines[i]) == "}")
            return i + 1;
    }
    throw std::runtime_error("stage script line " + std::to_string(open + 1) +
                             ": the block is never closed");
}

std::string lineText(std::size_t index) {
    return "stage script line " + std::to_string(index + 1);
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
    place.end = line.find(',', place.begin);
    if (place.begin == std::string::npos || place.end == std::string::npos)
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
// to where the section's first enemy stood.
std::vector<std::string> shootingFrom(const std::vector<std::string>& body, int from) {
    std::optional<int> firstX;
    std::optional<int> shift;
    bool keeping = true;  // the last enemy was kept: its items stay with it
    std::vector<std::string> kept;
    for (const std::string& line : body) {
        const std::string t = trimmed(line);
        if (const auto place = enemyPlace(line)) {
            if (!firstX)
                firstX = place->x;
            keeping = place->x >= from;
            if (!keeping)
                continue;
            if (!shift)
                shift = place->x - *firstX;
            kept.push_back(line.substr(0, place->begin) + std::to_string(place->x - *shift) +
                           line.substr(place->end));
        } else if (t.rfind("Item(", 0) != 0 || keeping) {
            kept.push_back(line);
        }
    }
    if (!shift)
        throw std::runtime_error("--from " + std::to_string(from) +
                                 " is past the stage's last enemy");
    return kept;
}

}  // namespace

std::optional<int> StageStart::startPower() const {
    if (boss.empty())
        return std::nullopt;
    return shooting::object::LEVEL_MAX;
}

std::vector<std::string> startScript(const std::vector<std::string>& lines,
                                     const StageStart& start) {
    if (!start.boss.empty() && !shooting::object::findBossRow(start.boss))
        throw std::runtime_error("--boss " + start.boss + ": no such boss (" + bossNames() + ")");
    std::vector<std::string> out;
    bool shot = false;
    for (std::size_t i = 0; i < lines.size();) {
        if (!shot && opensBlock(lines[i], "Talking")) {
            i = afterBlock(lines, i);  // the opening talk is skipped
            continue;
        }
        if (!shot && opensBlock(lines[i], "Shooting")) {
            const std::size_t end = afterBlock(lines, i);
            const std::vector<std::string> body(lines.begin() + static_cast<long>(i) + 1,
                                                lines.begin() + static_cast<long>(end) - 1);
            out.push_back(lines[i]);
            if (!start.boss.empty()) {
                out.push_back("Boss(" + start.boss + ")");
            } else if (start.from) {
                const auto kept = shootingFrom(body, *start.from);
                out.insert(out.end(), kept.begin(), kept.end());
            } else {
                out.insert(out.end(), body.begin(), body.end());
            }
            out.push_back(lines[end - 1]);
            shot = true;
            i = end;
            continue;
        }
        out.push_back(lines[i]);
        ++i;
    }
    if (!shot)
        throw std::runtime_error(lineText(lines.size()) + ": the script has no shooting section");
    return out;
}

StartedScript::StartedScript(const StageHeroine& heroine, const StageStart& start)
    : folder("mirelune-start-"), started(heroine) {
    // The game's scripts are records of scrambled text, one a line.
    const int key = veru::io::fileKeyFor("dat");
    const veru::io::YFile source{veru::YString(heroine.stageScript)};
    if (!source.exists)
        throw std::runtime_error("cannot read " + veru::YString(heroine.stageScript).toUtf8());
    std::vector<std::string> lines;
    veru::io::ByteFileReader reader(source);
    reader.setKeys(0, key);
    while (!reader.isEOF()) {
        std::optional<veru::YString> line = reader.readLine();
        if (!line)
            break;
        lines.push_back(line->toUtf8());
    }
    reader.close();

    path = folder.path() + u"/stage.dat";
    veru::io::ByteFileWriter writer{veru::YString(path)};
    writer.setKeys(0, key);
    for (const std::string& line : startScript(lines, start))
        writer.writeLine(veru::YString::fromUtf8(line));
    writer.close();
    started.stageScript = path.c_str();
}

}  // namespace ml::playtest
