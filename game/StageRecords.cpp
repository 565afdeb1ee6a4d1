#include "game/StageRecords.h"

#include <algorithm>
#include <iterator>

#include "engine/platform/Clock.h"
#include "game/settings/GameSetting.h"

namespace ml {

namespace {

const settings::RecordKeys* rowOf(int character, int level) {
    for (const settings::RecordKeys& row : settings::kRecordKeys) {
        if (row.character == character && row.level == level - GameSetting::kLevelEasy)
            return &row;
    }
    return nullptr;
}

}  // namespace

StageRecords::Record StageRecords::best(int character, int level) const {
    const settings::RecordKeys* row = rowOf(character, level);
    if (!row)
        return {};
    return {settings.value(row->score), settings.value(row->date)};
}

bool StageRecords::offer(int character, int level, int score, int date) {
    const settings::RecordKeys* row = rowOf(character, level);
    if (!row || score <= settings.value(row->score))
        return false;
    settings.setValue(row->score, score);
    settings.setValue(row->date, date);
    settings.setHiScore(std::max(settings.getHiScore(), score));
    return true;
}

int StageRecords::today() {
    const veru::platform::CalendarTime now =
        veru::platform::localCalendarTime(veru::platform::wallClockSeconds());
    return now.year * 10000 + now.month * 100 + now.day;
}

bool StageRecords::keepsRecordsOf(int character) {
    return std::any_of(std::begin(settings::kRecordKeys), std::end(settings::kRecordKeys),
                       [&](const settings::RecordKeys& row) { return row.character == character; });
}

}  // namespace ml
