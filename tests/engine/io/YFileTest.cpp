#include "engine/io/YFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/support/TempDir.h"

using namespace mirelune::test;
using veru::YString;
using veru::io::YFile;

TEST(YFile, ReadsTheStatusWhenMadeAndOnlyThen) {
    TempDir dir;
    const YString path = dir.file("月.bin");
    YFile absent(path);
    EXPECT_FALSE(absent.exists);
    EXPECT_TRUE(absent.isFile);
    EXPECT_EQ(absent.size, 0);

    writeBytes(path, Bytes(37, 1));
    EXPECT_FALSE(absent.exists);  // not refreshed by itself
    YFile present(path);
    EXPECT_TRUE(present.exists);
    EXPECT_TRUE(present.isFile);
    EXPECT_EQ(present.size, 37);
    EXPECT_EQ(present.path, path);
    EXPECT_FALSE(present.hidden);

    YFile folder(YString::fromUtf8(dir.path().string()));
    EXPECT_TRUE(folder.exists);
    EXPECT_FALSE(folder.isFile);
    writeBytes(dir.file(".hidden"), Bytes{1});
    EXPECT_TRUE(YFile(dir.file(".hidden")).hidden);
}

TEST(YFile, PathTextUsesTheSharedBuffer) {
    YFile f(YString(u"img/logo.ysf"));
    ASSERT_NE(f.pathText(), nullptr);
    EXPECT_EQ(std::u16string(f.pathText()), u"img/logo.ysf");
    EXPECT_EQ(YFile(YString(std::u16string(1024, u'a'))).pathText(), nullptr);
}

TEST(YFile, ListsAFolderWithoutDotEntries) {
    TempDir dir;
    writeBytes(dir.file("a.ytx"), Bytes{1});
    writeBytes(dir.file("b.ytx"), Bytes{1, 2});
    std::filesystem::create_directory(dir.path() / "sub");
    std::vector<YFile> entries = YFile(YString::fromUtf8(dir.path().string())).listEntries();
    ASSERT_EQ(entries.size(), 3u);
    std::sort(entries.begin(), entries.end(),
              [](const YFile& a, const YFile& b) { return a.path < b.path; });
    EXPECT_EQ(entries[0].path, dir.file("a.ytx"));
    EXPECT_EQ(entries[1].size, 2);
    EXPECT_FALSE(entries[2].isFile);
    EXPECT_TRUE(YFile(dir.file("none")).listEntries().empty());
}

TEST(YFile, BackslashesInPathsAreFolderSeparators) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "img");
    writeBytes(dir.file("img/x.ytx"), Bytes{1, 2, 3});
    YFile f(YString::fromUtf8(dir.path().string()) + u"\\img\\x.ytx");
    EXPECT_TRUE(f.exists);
    EXPECT_EQ(f.size, 3);
}
