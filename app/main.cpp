// MIRELUNE: the program entry. Reads the command line (CommandLine.h),
// registers the keys of the scrambled data files, finds the data and the
// player's folder from where the program is, and runs the game in the
// desktop's language (unless the player chose one).

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/CommandLine.h"
#include "app/GameFolders.h"
#include "app/GameMain.h"
#include "engine/core/Language.h"
#include "engine/core/MessageBox.h"
#include "engine/io/Scrambler.h"
#include "engine/platform/Locale.h"
#include "engine/platform/ProgramFolder.h"
#include "engine/platform/video/SdlMessageSink.h"

int main(int argc, char** argv) {
    const ml::CommandLine line =
        ml::parseCommandLine({argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0)});
    if (const auto status = ml::earlyExitStatus(line)) {
        const std::string program = argc > 0 && argv[0] ? argv[0] : "mirelune";
        if (line.action == ml::CommandLine::Action::version)
            std::fputs(ml::versionText().c_str(), stdout);
        else if (line.action == ml::CommandLine::Action::help)
            std::fputs(ml::usageText(program).c_str(), stdout);
        else
            std::fprintf(stderr, "%s: %s\n%s", program.c_str(), line.error.c_str(),
                         ml::usageText(program).c_str());
        return *status;
    }
    ml::StartOptions start;
    start.fullScreen = line.fullScreen.value_or(false);
    if (!line.replayFile.empty()) {
        // Named from the folder the game was started in, read after the
        // data folder has become the current one.
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(line.replayFile, error);
        start.replayFile =
            veru::YString::fromUtf8(error ? line.replayFile : absolute.lexically_normal().string());
    }
    veru::setCurrentLanguage(veru::platform::desktopLanguage());
    veru::platform::SdlMessageSink boxes;
    veru::awt::ScopedMessageSink showBoxes(&boxes);
    veru::io::registerGameFileKeys();
    const veru::YString program = veru::platform::programFolder();
    const auto folders = ml::locateGameFolders(program, veru::platform::userDataHome());
    if (!folders || !veru::platform::enterFolder(folders->data)) {
        veru::awt::showError(
            veru::YString(u"ゲームのデータ（img, sound, script）が見つかりません。\n"
                          u"探した場所：\n") +
                program + u"\n" + ml::installedDataFolder(program),
            u"MIRELUNE");
        return 1;
    }
    return ml::gameMain({}, ml::preparePlayerFolder(*folders), start);
}
