#include "game/StageRecorder.h"

#include "engine/effects/Random.h"
#include "engine/exceptions/Exception.h"
#include "engine/platform/Clock.h"

namespace ml {

StageRecorder::StageRecorder() = default;

StageRecorder::~StageRecorder() {
    save();
}

void StageRecorder::start(int character, GameSetting& settings, veru::dxt::PlayStatus& status) {
    replayed.reset();
    if (replay && replay->character != character)
        throw veru::excp::Exception(
            u"このリプレイは、もう一人のキャラクターのステージの記録です。");
    if (const StageReplay* values = replay ? &*replay : startValues ? &*startValues : nullptr)
        replayed = std::make_unique<ReplayedSettings>(*values, settings, status);
    recording = replayStartOf(settings, status);
    recording.character = character;
    recording.startPosition = replay ? replay->startPosition : startPosition;
    recording.startBoss = replay ? replay->startBoss : startBoss;
    recording.seed = replay      ? replay->seed
                     : fixedSeed ? *fixedSeed
                                 : veru::dxt::effect2D::freshRandomSeed();
    recordingSaved = replay.has_value();
    veru::dxt::effect2D::seedStageRandom(static_cast<std::uint32_t>(recording.seed));
}

int StageRecorder::poll(const std::function<int()>& live) {
    const int word = replay ? replay->wordAt(static_cast<std::size_t>(frameNumber)) : live();
    recording.words.push_back(word);
    ++frameNumber;
    return word;
}

void StageRecorder::save() {
    if (recordingSaved || recordingPath.empty() || recording.words.empty())
        return;
    recordingSaved = true;
    try {
        writeStageReplay(recordingPath, recording);
    } catch (const veru::excp::Exception&) {
        // A folder that cannot be written loses the record, not the play.
    }
}

void StageRecorder::finish(int score, bool cleared) {
    if (!recording.result) {
        recording.result =
            StageReplay::Result{score, cleared, static_cast<int>(recording.words.size()),
                                veru::platform::wallClockSeconds()};
    }
    save();
}

void StageRecorder::stop() {
    replayed.reset();
    veru::dxt::effect2D::useSecureRandom();
}

}  // namespace ml
