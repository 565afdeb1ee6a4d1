// Where the game finds its data and keeps the player's files: a build
// folder, an installed prefix, a read-only folder, and the first start after
// an upgrade.

#include "app/GameFolders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using namespace mirelune::test;
using veru::YString;

namespace {

void makeData(const fs::path& folder) {
    for (const char* part : {"img", "sound", "script"})
        fs::create_directories(folder / part);
}

}  // namespace

TEST(GameFolders, ABuildFolderKeepsEverythingBesideTheProgram) {
    TempDir dir;
    const fs::path game = dir.path() / "build" / "game";
    makeData(game);
    auto folders = ml::locateGameFolders(enginePath(game), enginePath(dir.path() / "xdg"));
    ASSERT_TRUE(folders);
    EXPECT_EQ(folders->data, enginePath(game));
    EXPECT_EQ(folders->player, enginePath(game));
    EXPECT_TRUE(folders->oldSettings.empty());
    const ml::PlayerFiles files = ml::preparePlayerFolder(*folders);
    EXPECT_EQ(files.settings, enginePath(game / "setting.env"));
    EXPECT_EQ(files.lastStage, enginePath(game / "last_stage.rpl"));
    EXPECT_FALSE(fs::exists(dir.path() / "xdg"));
}

TEST(GameFolders, AnInstalledGameReadsShareAndWritesTheUserDataHome) {
    TempDir dir;
    const fs::path prefix = dir.path() / "usr";
    fs::create_directories(prefix / "games");
    makeData(prefix / "share" / "games" / "mirelune");
    const fs::path xdg = dir.path() / "home" / ".local" / "share";
    auto folders = ml::locateGameFolders(enginePath(prefix / "games"), enginePath(xdg));
    ASSERT_TRUE(folders);
    EXPECT_EQ(folders->data, enginePath(prefix / "share/games/mirelune"));
    EXPECT_EQ(folders->player, enginePath(xdg / "mirelune"));
    // Even a writable program folder: the installed layout decides.
    EXPECT_EQ(folders->oldSettings, enginePath(prefix / "games" / "setting.env"));

    const ml::PlayerFiles files = ml::preparePlayerFolder(*folders);
    EXPECT_EQ(files.settings, enginePath(xdg / "mirelune" / "setting.env"));
    EXPECT_EQ(files.lastStage, enginePath(xdg / "mirelune" / "last_stage.rpl"));
    EXPECT_TRUE(fs::is_directory(xdg / "mirelune"));
    struct stat st {};
    ASSERT_EQ(::stat((xdg / "mirelune").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_FALSE(fs::exists(xdg / "mirelune" / "setting.env"));  // nothing to bring over

    // Installed in bin/ instead of games/: the same data folder.
    fs::create_directories(prefix / "bin");
    auto fromBin = ml::locateGameFolders(enginePath(prefix / "bin"), enginePath(xdg));
    ASSERT_TRUE(fromBin);
    EXPECT_EQ(fromBin->data, enginePath(prefix / "share/games/mirelune"));
}

TEST(GameFolders, TheFirstStartAfterAnUpgradeBringsTheOldSettingsOnce) {
    TempDir dir;
    const fs::path game = dir.path() / "opt" / "games";
    fs::create_directories(game);
    makeData(dir.path() / "opt" / "share" / "games" / "mirelune");
    writeBytes(enginePath(game / "setting.env"), {1, 2, 3});
    const fs::path xdg = dir.path() / "data";
    auto folders = ml::locateGameFolders(enginePath(game), enginePath(xdg));
    ASSERT_TRUE(folders);

    const ml::PlayerFiles files = ml::preparePlayerFolder(*folders);
    EXPECT_EQ(readBytes(files.settings), (Bytes{1, 2, 3}));
    EXPECT_EQ(readBytes(enginePath(game / "setting.env")), (Bytes{1, 2, 3}));  // left as it was

    // Later starts keep the player's own file, whatever lies beside the program.
    writeBytes(files.settings, {9});
    ml::preparePlayerFolder(*folders);
    EXPECT_EQ(readBytes(files.settings), (Bytes{9}));
}

TEST(GameFolders, AReadOnlyFolderWithItsDataSendsThePlayersFilesAway) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    TempDir dir;
    const fs::path game = dir.path() / "game";
    makeData(game);
    writeBytes(enginePath(game / "setting.env"), {4, 5});
    fs::permissions(game, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    auto folders = ml::locateGameFolders(enginePath(game), enginePath(dir.path() / "xdg"));
    fs::permissions(game, fs::perms::owner_write, fs::perm_options::add);
    ASSERT_TRUE(folders);
    EXPECT_EQ(folders->data, enginePath(game));
    EXPECT_EQ(folders->player, enginePath(dir.path() / "xdg" / "mirelune"));
    EXPECT_EQ(folders->oldSettings, enginePath(game / "setting.env"));
}

TEST(GameFolders, NoDataMeansNoFoldersAndNoHomeKeepsFilesBesideTheProgram) {
    TempDir dir;
    EXPECT_FALSE(ml::locateGameFolders(enginePath(dir.path() / "games"), enginePath(dir.path())));
    EXPECT_FALSE(ml::locateGameFolders(YString(), enginePath(dir.path())));
    // The working folder does not count, even when it holds data.
    TempDir started;
    makeData(started.path());
    makeData(started.path() / "share" / "games" / "mirelune");
    const fs::path previous = fs::current_path();
    fs::current_path(started.path());
    EXPECT_FALSE(ml::locateGameFolders(u"games", enginePath(dir.path())));
    EXPECT_FALSE(ml::locateGameFolders(enginePath(dir.path() / "games"), enginePath(dir.path())));
    fs::current_path(previous);

    fs::create_directories(dir.path() / "usr" / "games");
    makeData(dir.path() / "usr" / "share" / "games" / "mirelune");
    auto folders = ml::locateGameFolders(enginePath(dir.path() / "usr" / "games"), YString());
    ASSERT_TRUE(folders);
    EXPECT_EQ(folders->player, enginePath(dir.path() / "usr" / "games"));
    EXPECT_TRUE(folders->oldSettings.empty());
    EXPECT_EQ(ml::installedDataFolder(u"/games"), YString(u"/share/games/mirelune"));
}
