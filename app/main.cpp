// MIRELUNE: the program entry.
//
// This build holds the game's foundation (text, files, settings, the scene
// core). It registers the data-file keys, reads and writes the settings and
// says what it can do so far; the window, sound and scenes come next.

#include "engine/exceptions/Exception.h"
#include "engine/io/Scrambler.h"
#include "engine/window/MessageBox.h"
#include "frontend/GameSetting.h"

int main() {
    veru::io::registerGameFileKeys();
    try {
        ml::GameSetting setting(u"setting.env");
        veru::awt::showInformation(
            u"MIRELUNE 体験版: この版は土台だけです（文字列・ファイル・設定・シーン管理）。"
            u"ウィンドウ、音、シーンは次の版で入ります。設定は setting.env に保存しました。");
        setting.save();
    } catch (const veru::excp::Exception& error) {
        veru::awt::showError(error.getMessage());
        return 1;
    }
    return 0;
}
