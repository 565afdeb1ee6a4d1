// mlplaytest: the autopilot plays the trial stage headless, run after run,
// and prints one line per run, or plays a recording (--replay) and prints
// its line; see PlaytestOptions.h for the options. A recording that ends
// before the stage does (the window was closed mid-play) says finished=no and
// ends at its last recorded frame; one without a checksum (the first file
// version) is played with a warning and says verified=no.
// Exit status: 0 when every run finished, 1 otherwise (or on a bad option).

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>

#include "engine/exceptions/Exception.h"
#include "engine/io/Scrambler.h"
#include "engine/platform/FileSystem.h"
#include "game/StageReplay.h"
#include "tools/playtest/BalanceReport.h"
#include "tools/playtest/GameData.h"
#include "tools/playtest/PlaytestOptions.h"
#include "tools/playtest/StagePlaythrough.h"

int main(int argc, char** argv) {
    using namespace ml::playtest;
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto parsed = PlaytestOptions::parse(args, error);
    if (!parsed) {
        std::cerr << "mlplaytest: " << error << "\n" << PlaytestOptions::usage();
        return 1;
    }
    ::setenv("SDL_VIDEODRIVER", "dummy", 0);
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    // Files named on the command line are where the user is; the game data
    // may be elsewhere.
    auto options = *parsed;
    for (std::string* path : {&options.recordPath, &options.reportPath, &options.replayPath}) {
        if (path->empty())
            continue;
        *path = std::filesystem::absolute(*path).string();
        // A pipe or a device would keep the run waiting for ever, at its
        // end for the files it writes: refused before anything is played.
        const veru::platform::FileStatus status =
            veru::platform::statPath(veru::YString::fromUtf8(*path));
        if (status.exists && !status.isDirectory && !status.isRegular) {
            std::cerr << "mlplaytest: not a regular file: " << *path << "\n";
            return 1;
        }
    }
    if (!enterGameData(MIRELUNE_GAME_DIR, error)) {
        std::cerr << "mlplaytest: " << error << "\n";
        return 1;
    }
    veru::io::registerGameFileKeys();

    bool allFinished = true;
    BalanceReport report;
    try {
        if (!options.replayPath.empty()) {
            const veru::YString path = veru::YString::fromUtf8(options.replayPath);
            const ml::StageReplay recording = ml::readStageReplay(path);
            if (!recording.verified)
                std::cerr << "mlplaytest: warning: " << ml::unverifiedWarning(path) << "\n";
            StagePlaythrough playthrough(ml::stageHeroine(recording.character));
            const RunResult run = playthrough.replay(recording);
            std::cout << describe(run) << (run.finished ? "" : " finished=no")
                      << (recording.verified ? "" : " verified=no") << std::endl;
            if (!options.recordPath.empty())
                ml::writeStageReplay(veru::YString::fromUtf8(options.recordPath), recording);
            return run.finished ? 0 : 1;
        }
        const ml::StageHeroine& heroine = ml::stageHeroine(options.character);
        StagePlaythrough playthrough(heroine);
        if (!options.start.isWholeStage())
            playthrough.setStart(options.start);
        ml::StageReplay last;
        for (int level : options.levels) {
            for (int i = 0; i < options.runs; ++i) {
                const std::uint64_t seed = options.seed + static_cast<std::uint64_t>(i);
                const RunResult run = playthrough.play(level, seed, &last);
                std::cout << describe(run) << (run.finished ? "" : " stuck=yes") << std::endl;
                allFinished = allFinished && run.finished;
                report.add(run);
            }
        }
        if (!options.recordPath.empty())
            ml::writeStageReplay(veru::YString::fromUtf8(options.recordPath), last);
    } catch (const veru::excp::Exception& e) {
        std::cerr << "mlplaytest: " << e.getMessage().toUtf8() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "mlplaytest: " << e.what() << "\n";
        return 1;
    }
    if (options.runs > 1 || options.levels.size() > 1 || !options.reportPath.empty())
        std::cerr << report.table() << "\n" << report.hitsTable();
    if (!options.reportPath.empty() && !report.writePng(options.reportPath)) {
        std::cerr << "mlplaytest: cannot write " << options.reportPath << "\n";
        return 1;
    }
    return allFinished ? 0 : 1;
}
