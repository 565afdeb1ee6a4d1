#include "tools/playtest/SoakLog.h"

#include <algorithm>
#include <sstream>

namespace ml::playtest {

namespace {

const char* memoryName(SoakLog::Memory memory) {
    switch (memory) {
        case SoakLog::Memory::flat:
            return "flat";
        case SoakLog::Memory::rising:
            return "rising";
        case SoakLog::Memory::tooShort:
            break;
    }
    return "too-short";
}

}  // namespace

std::string SoakLog::start(long rssKiB) {
    startKiB = rssKiB;
    std::ostringstream line;
    line << "start rss_kib=" << rssKiB;
    return line.str();
}

std::string SoakLog::endRound(const Round& round) {
    rounds.push_back(round);
    std::ostringstream line;
    line << "round=" << rounds.size() << " seconds=" << round.seconds << " frames=" << round.frames
         << " stages=" << round.stages << " cleared=" << round.cleared
         << " kintubas=" << round.kintubas << " bombs=" << round.bombs
         << " rss_kib=" << round.rssKiB << " heap_kib=" << round.heapKiB
         << " underruns=" << round.underruns << " audio_s=" << round.audioSeconds;
    return line.str();
}

SoakLog::Memory SoakLog::getMemory() const {
    return judge(&Round::rssKiB);
}

SoakLog::Memory SoakLog::getHeap() const {
    return judge(&Round::heapKiB);
}

SoakLog::Memory SoakLog::judge(long Round::*kib) const {
    // Rounds after the first, split into an earlier and a later half.
    const std::size_t after = rounds.size() > 0 ? rounds.size() - 1 : 0;
    if (after < 3)
        return Memory::tooShort;
    for (const Round& r : rounds)
        if (r.*kib < 0)
            return Memory::tooShort;
    const auto first = rounds.begin() + 1;
    const auto middle = first + static_cast<std::ptrdiff_t>(after / 2);
    long earlierPeak = 0;
    for (auto it = first; it != middle; ++it)
        earlierPeak = std::max(earlierPeak, (*it).*kib);
    std::vector<long> later;
    for (auto it = middle; it != rounds.end(); ++it)
        later.push_back((*it).*kib);
    // The lower median of the later half.
    const auto median = later.begin() + static_cast<std::ptrdiff_t>((later.size() - 1) / 2);
    std::nth_element(later.begin(), median, later.end());
    return *median > earlierPeak + toleranceKiB ? Memory::rising : Memory::flat;
}

void SoakLog::finish(int status, std::uint64_t counted, bool gotStuck) {
    gameStatus = status;
    underruns = counted;
    stuck = gotStuck;
}

int SoakLog::exitStatus() const {
    if (gameStatus != 0 || stuck || rounds.empty() || getMemory() == Memory::rising ||
        getHeap() == Memory::rising || underruns > 0)
        return 1;
    return 0;
}

std::string SoakLog::summary() const {
    long most = startKiB;
    long mostHeap = -1;
    for (const Round& r : rounds) {
        most = std::max(most, r.rssKiB);
        mostHeap = std::max(mostHeap, r.heapKiB);
    }
    std::ostringstream line;
    line << "summary rounds=" << rounds.size()
         << " cleared=" << (rounds.empty() ? 0 : rounds.back().cleared)
         << " rss_first_kib=" << (rounds.empty() ? -1 : rounds.front().rssKiB)
         << " rss_last_kib=" << (rounds.empty() ? -1 : rounds.back().rssKiB)
         << " rss_max_kib=" << most << " memory=" << memoryName(getMemory())
         << " heap_first_kib=" << (rounds.empty() ? -1 : rounds.front().heapKiB)
         << " heap_last_kib=" << (rounds.empty() ? -1 : rounds.back().heapKiB)
         << " heap_max_kib=" << mostHeap << " heap=" << memoryName(getHeap())
         << " underruns=" << underruns << " stuck=" << (stuck ? "yes" : "no")
         << " game_status=" << gameStatus << " status=" << exitStatus();
    return line.str();
}

}  // namespace ml::playtest
