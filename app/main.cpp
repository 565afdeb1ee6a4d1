// MIRELUNE: the program entry. Registers the keys of the scrambled data
// files, finds the data and the player's folder from where the program is,
// and runs the game.

#include "app/GameFolders.h"
#include "app/GameMain.h"
#include "engine/core/MessageBox.h"
#include "engine/io/Scrambler.h"
#include "engine/platform/ProgramFolder.h"
#include "engine/platform/video/SdlMessageSink.h"

int main() {
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
    return ml::gameMain({}, ml::preparePlayerFolder(*folders));
}
