// The player's folders: creating them, copying a settings file over, and
// finding the user's data home from the environment.

#include "engine/platform/FileSystem.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "engine/core/YString.h"
#include "engine/platform/ProgramFolder.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using namespace mirelune::test;
using veru::YString;

namespace {

// Sets (or, with nullopt, removes) an environment variable for one scope.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name(name) {
        if (const char* old = std::getenv(name))
            previous = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (previous)
            ::setenv(name, previous->c_str(), 1);
        else
            ::unsetenv(name);
    }

  private:
    const char* name;
    std::optional<std::string> previous;
};

}  // namespace

TEST(FileSystem, MakeFoldersCreatesEveryMissingLevelForTheUserAlone) {
    TempDir dir;
    const fs::path deep = dir.path() / "share" / "ミレルーン" / "saves";
    EXPECT_TRUE(veru::platform::makeFolders(enginePath(deep)));
    ASSERT_TRUE(fs::is_directory(deep));
    for (const fs::path& p : {dir.path() / "share", deep}) {
        struct stat st {};
        ASSERT_EQ(::stat(p.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << p;
    }
    // Already there: still true, nothing changed.
    EXPECT_TRUE(veru::platform::makeFolders(enginePath(deep)));
    EXPECT_TRUE(veru::platform::isWritableFolder(enginePath(deep)));
    // A file in the way is no folder.
    writeBytes(enginePath(dir.path() / "plain"), {1});
    EXPECT_FALSE(veru::platform::makeFolders(enginePath(dir.path() / "plain" / "sub")));
    EXPECT_FALSE(veru::platform::isWritableFolder(enginePath(dir.path() / "missing")));
}

TEST(FileSystem, CopyFileIsWholeOrNothingAndTakesOnlyRegularFiles) {
    TempDir dir;
    const YString from = dir.file("setting.env");
    const YString to = dir.file("copy.env");
    Bytes big(100000);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<std::uint8_t>(i * 7);
    writeBytes(from, big);
    ASSERT_TRUE(veru::platform::copyFile(from, to));
    EXPECT_EQ(readBytes(to), big);
    EXPECT_FALSE(fileExists(dir.file("copy.env.tmp")));

    // A named pipe would block the start: refused at once, target untouched.
    const fs::path pipe = dir.path() / "pipe.env";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(veru::platform::copyFile(enginePath(pipe), to));
    EXPECT_EQ(readBytes(to), big);
    EXPECT_FALSE(veru::platform::copyFile(dir.file("missing.env"), to));
    // No folder to write into: false, no stray file.
    EXPECT_FALSE(veru::platform::copyFile(from, dir.file("no/such/folder.env")));
}

TEST(FileSystem, TemporaryFolderIsRemovedWithItsFiles) {
    std::u16string path;
    {
        veru::platform::TemporaryFolder scratch("mirelune-test-");
        path = scratch.path();
        ASSERT_FALSE(path.empty());
        EXPECT_TRUE(veru::platform::statPath(path).isDirectory);
        writeBytes(YString(path + u"/setting.env"), {1, 2, 3});
    }
    EXPECT_FALSE(veru::platform::statPath(path).exists);
}

TEST(FileSystem, UserDataHomeFollowsXdgThenHome) {
    {
        ScopedEnv xdg("XDG_DATA_HOME", "/srv/player/data");
        ScopedEnv home("HOME", "/home/player");
        EXPECT_EQ(veru::platform::userDataHome(), u"/srv/player/data");
    }
    {
        // A relative or empty XDG_DATA_HOME is not to be used.
        ScopedEnv xdg("XDG_DATA_HOME", "relative/data");
        ScopedEnv home("HOME", "/home/player/");
        EXPECT_EQ(veru::platform::userDataHome(), u"/home/player/.local/share");
    }
    {
        ScopedEnv xdg("XDG_DATA_HOME", "");
        ScopedEnv home("HOME", "/");
        EXPECT_EQ(veru::platform::userDataHome(), u"/.local/share");
    }
    {
        // No HOME: the user database's home, whatever it is, as an absolute path.
        ScopedEnv xdg("XDG_DATA_HOME", std::nullopt);
        ScopedEnv home("HOME", std::nullopt);
        const std::u16string fromDatabase = veru::platform::userDataHome();
        if (!fromDatabase.empty()) {
            EXPECT_EQ(fromDatabase.front(), u'/');
            EXPECT_TRUE(fromDatabase.ends_with(u"/.local/share"));
        }
    }
}

TEST(FileSystem, ProgramFolderIsWhereTheTestProgramLies) {
    const std::u16string folder = veru::platform::programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(fs::path(YString(folder).toUtf8()), fs::canonical("/proc/self/exe").parent_path());
}

// A file's identity follows the file, not its path; under a memo a path is
// asked about once, and without one (or once the memo is gone) afresh.
TEST(FileSystem, StatusNamesTheFileAndAMemoAnswersEachPathOnce) {
    TempDir dir;
    const YString first = dir.file("a.bin");
    const YString second = dir.file("b.bin");
    const auto write = [](const YString& path, const std::string& text) {
        std::FILE* f = std::fopen(path.toUtf8().c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    };
    write(first, "abc");
    write(second, "abc");
    const veru::platform::FileStatus a = veru::platform::statPath(first);
    const veru::platform::FileStatus b = veru::platform::statPath(second);
    ASSERT_TRUE(a.exists && a.isRegular);
    EXPECT_EQ(a.size, 3u);
    EXPECT_NE(a.inode, b.inode);
    EXPECT_EQ(veru::platform::statPath(first).inode, a.inode);

    {
        const veru::platform::StatMemo memo;
        EXPECT_EQ(veru::platform::rememberedStatus(first).size, 3u);
        EXPECT_FALSE(veru::platform::rememberedStatus(dir.file("c.bin")).exists);
        write(first, "abcdef");
        write(dir.file("c.bin"), "x");
        {
            const veru::platform::StatMemo inner;  // a memo of its own: asks again
            EXPECT_EQ(veru::platform::rememberedStatus(first).size, 6u);
        }
        EXPECT_EQ(veru::platform::rememberedStatus(first).size, 3u);
        EXPECT_FALSE(veru::platform::rememberedStatus(dir.file("c.bin")).exists);
    }
    EXPECT_EQ(veru::platform::rememberedStatus(first).size, 6u);
    EXPECT_TRUE(veru::platform::rememberedStatus(dir.file("c.bin")).exists);
}
