#include "app/GameFolders.h"

#include "engine/platform/FileSystem.h"

namespace ml {

using veru::YString;

namespace {

constexpr char16_t kSettingsName[] = u"setting.env";

bool holdsData(const YString& folder) {
    return veru::platform::statPath(folder + u"/img").isDirectory;
}

// The folder above `folder`; "/" for a folder directly under the root.
YString parentOf(const YString& folder) {
    const std::size_t slash = folder.find_last_of(u'/');
    if (slash == YString::npos || slash == 0)
        return YString(u"/");
    return YString(folder.substr(0, slash));
}

YString joined(const YString& folder, const char16_t* name) {
    if (!folder.empty() && folder.back() == u'/')
        return folder + name;
    return folder + u"/" + name;
}

}  // namespace

YString installedDataFolder(const YString& programFolder) {
    return joined(parentOf(programFolder), u"share/games/mirelune");
}

std::optional<GameFolders> locateGameFolders(const YString& programFolder,
                                             const YString& userDataHome) {
    if (programFolder.empty())
        return std::nullopt;
    GameFolders folders;
    bool besideProgram = false;
    if (holdsData(programFolder)) {
        folders.data = programFolder;
        besideProgram = veru::platform::isWritableFolder(programFolder);
    } else if (holdsData(installedDataFolder(programFolder))) {
        folders.data = installedDataFolder(programFolder);
    } else {
        return std::nullopt;
    }
    if (besideProgram || userDataHome.empty()) {
        folders.player = programFolder;
    } else {
        folders.player = joined(userDataHome, u"mirelune");
        folders.oldSettings = joined(programFolder, kSettingsName);
    }
    return folders;
}

PlayerFiles preparePlayerFolder(const GameFolders& folders) {
    PlayerFiles files;
    files.settings = joined(folders.player, kSettingsName);
    files.lastStage = joined(folders.player, u"last_stage.rpl");
    files.padMappings = joined(folders.player, u"gamecontrollerdb.txt");
    files.folder = folders.player;
    veru::platform::makeFolders(folders.player);
    if (!folders.oldSettings.empty() && !veru::platform::statPath(files.settings).exists &&
        veru::platform::statPath(folders.oldSettings).exists) {
        veru::platform::copyFile(folders.oldSettings, files.settings);
    }
    return files;
}

}  // namespace ml
