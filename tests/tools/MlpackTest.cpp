// The packer as the build and a person at the terminal use it: the files it
// writes, read back by hand and by the engine, its output and exit codes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/io/ByteFileReader.h"
#include "engine/io/Scrambler.h"
#include "engine/material/ImageContainer.h"
#include "engine/platform/image/Image.h"
#include "engine/platform/image/Zlib.h"
#include "tests/support/TempDir.h"

namespace {

using mirelune::test::appendInt32;
using mirelune::test::Bytes;
using veru::YString;

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class MlpackTest : public ::testing::Test {
  protected:
    void SetUp() override { veru::io::registerGameFileKeys(); }

    std::string path(const std::string& name) const { return (dir.path() / name).string(); }
    YString ypath(const std::string& name) const { return dir.file(name); }

    Outcome mlpack(const std::vector<std::string>& args) {
        std::string command = "'" MLPACK_PATH "'";
        for (const std::string& a : args)
            command += " '" + a + "'";
        command += " > '" + path("stdout") + "' 2> '" + path("stderr") + "'; echo $? > '" +
                   path("code") + "'";
        Outcome run;
        if (std::system(command.c_str()) != 0)
            return run;
        run.exitCode = std::stoi(readText(dir.path() / "code"));
        run.out = readText(dir.path() / "stdout");
        run.err = readText(dir.path() / "stderr");
        return run;
    }

    static veru::platform::Image picture(int width, int height, bool translucent) {
        veru::platform::Image image;
        image.width = width;
        image.height = height;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.pixels.push_back(
                    (translucent ? 0x40000000u : 0xFF000000u) |
                    static_cast<std::uint32_t>((x * 7) << 16 | (y * 5) << 8 | 0x33));
        return image;
    }

    Bytes writePng(const std::string& name, int width, int height, bool translucent = true) {
        Bytes file;
        // An opaque picture is written without an alpha channel.
        EXPECT_TRUE(
            veru::platform::encodePng(picture(width, height, translucent), file, translucent));
        mirelune::test::writeBytes(ypath(name), file);
        return file;
    }

    Bytes writeJpeg(const std::string& name, int width, int height) {
        Bytes file;
        EXPECT_TRUE(veru::platform::encodeJpeg(picture(width, height, false), file));
        mirelune::test::writeBytes(ypath(name), file);
        return file;
    }

    // A container the way an independent writer would make it.
    void writeContainer(const std::string& name, std::int32_t bits, std::int32_t width,
                        std::int32_t height, const Bytes& payload) {
        Bytes file;
        appendInt32(file, bits);
        file.push_back(0);
        appendInt32(file, width);
        appendInt32(file, height);
        appendInt32(file, static_cast<std::int32_t>(payload.size()));
        Bytes packed;
        EXPECT_TRUE(veru::platform::deflateZlib(payload, packed));
        for (std::uint8_t b : packed)
            file.push_back(b ^ (veru::io::kDataFileKey & 0xFF));
        mirelune::test::writeBytes(ypath(name), file);
    }

    static Bytes header(std::int32_t bits, std::int32_t width, std::int32_t height,
                        std::size_t rawSize) {
        Bytes bytes;
        appendInt32(bytes, bits);
        bytes.push_back(0);
        appendInt32(bytes, width);
        appendInt32(bytes, height);
        appendInt32(bytes, static_cast<std::int32_t>(rawSize));
        return bytes;
    }

    Bytes read(const std::string& name) const { return mirelune::test::readBytes(ypath(name)); }

    void expectQuietSuccess(const Outcome& run) {
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
    }

    mirelune::test::TempDir dir;
};

TEST_F(MlpackTest, TextureRoundTrips) {
    const Bytes png = writePng("in.png", 20, 10);
    expectQuietSuccess(mlpack({"texture", path("in.png"), path("out.ytx")}));
    const Bytes file = read("out.ytx");
    ASSERT_GT(file.size(), 17u);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 17), header(32, 20, 10, png.size()));

    expectQuietSuccess(mlpack({"unpack", path("out.ytx"), path("back.png")}));
    EXPECT_EQ(read("back.png"), png);
    const Outcome info = mlpack({"info", path("out.ytx")});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_EQ(info.out, "width: 20\nheight: 10\nalpha: yes\n");
}

TEST_F(MlpackTest, TwentyFourBitTextureIsOpaque) {
    const Bytes png = writePng("in.png", 5, 6);
    expectQuietSuccess(mlpack({"texture", path("in.png"), path("out.ytx"), "--bits", "24"}));
    const Bytes file = read("out.ytx");
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 17), header(24, 5, 6, png.size()));
    EXPECT_EQ(mlpack({"info", path("out.ytx")}).out, "width: 5\nheight: 6\nalpha: no\n");
    // The option may come first, too.
    expectQuietSuccess(mlpack({"texture", "--bits", "32", path("in.png"), path("out32.ytx")}));
    EXPECT_EQ(mlpack({"info", path("out32.ytx")}).out, "width: 5\nheight: 6\nalpha: yes\n");
}

TEST_F(MlpackTest, JpegSurfaceRoundTrips) {
    const Bytes jpeg = writeJpeg("in.jpg", 40, 24);
    expectQuietSuccess(mlpack({"surface", path("in.jpg"), path("out.ysf")}));
    const Bytes file = read("out.ysf");
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 17), header(32, 40, 24, jpeg.size()));
    expectQuietSuccess(mlpack({"unpack", path("out.ysf"), path("back.jpg")}));
    EXPECT_EQ(read("back.jpg"), jpeg);
    EXPECT_EQ(mlpack({"info", path("out.ysf")}).out, "width: 40\nheight: 24\nalpha: no\n");

    // The engine's own reader takes what the packer wrote.
    const auto container = veru::dxt::material::readImageContainer(ypath("out.ysf"), "ysf");
    EXPECT_EQ(container.payload, jpeg);
}

TEST_F(MlpackTest, InfoReadsContainersWrittenByOthers) {
    const Bytes png = writePng("p.png", 4, 3, false);
    writeContainer("a.ysf", 0, 800, 600, png);  // a surface larger than its picture
    EXPECT_EQ(mlpack({"info", path("a.ysf")}).out,
              "width: 800\nheight: 600\nalpha: no\npicture: 4x3\n");
    writeContainer("b.ytx", 32, 999, 999, png);  // a texture ignores the stored size
    EXPECT_EQ(mlpack({"info", path("b.ytx")}).out, "width: 4\nheight: 3\nalpha: no\n");
    writeContainer("c.ytx", 32, 0, 0, writeJpeg("j.jpg", 8, 8));
    EXPECT_EQ(mlpack({"info", path("c.ytx")}).out, "width: 8\nheight: 8\nalpha: no\n");
}

TEST_F(MlpackTest, InfoOnBrokenContainersPrintsTheLoadersMessage) {
    mirelune::test::writeBytes(ypath("short.ytx"), {32, 0, 0, 0, 0, 1});
    Outcome run = mlpack({"info", path("short.ytx")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "mlpack: EOFException::ファイルの終端に来ています。：" + path("short.ytx") + "\n");

    writeContainer("text.ytx", 32, 0, 0, {'h', 'e', 'l', 'l', 'o'});
    run = mlpack({"info", path("text.ytx")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "mlpack: 画像の読込みに失敗しました。：" + path("text.ytx") + "\n");

    Bytes notZlib = header(32, 0, 0, 100);
    notZlib.resize(60, 0x11);
    mirelune::test::writeBytes(ypath("nz.ysf"), notZlib);
    run = mlpack({"info", path("nz.ysf")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "mlpack: Z_DATA_ERRORが発生しました。：" + path("nz.ysf") + "\n");

    writeContainer("huge.ysf", 32, 100000, 600, writePng("p.png", 2, 2));
    run = mlpack({"info", path("huge.ysf")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "mlpack: Surface作成失敗。：" + path("huge.ysf") + "\n");

    run = mlpack({"info", path("none.ytx")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "mlpack: FileNotFoundException::ファイルが見つかりませんでした。\n：" +
                           path("none.ytx") + "\n");
}

TEST_F(MlpackTest, ScriptRecordsEveryNonEmptyLineScrambled) {
    const std::string text =
        "\xEF\xBB\xBF"
        "Scene 1\r\n\r\n\n会話 テスト\nlast line without end";
    mirelune::test::writeBytes(ypath("s.txt"), Bytes(text.begin(), text.end()));
    expectQuietSuccess(mlpack({"script", path("s.txt"), path("s.dat")}));

    Bytes expected;
    mirelune::test::appendStringRecord(expected, u"Scene 1", veru::io::kDataFileKey);
    mirelune::test::appendStringRecord(expected, u"会話 テスト", veru::io::kDataFileKey);
    mirelune::test::appendStringRecord(expected, u"last line without end", veru::io::kDataFileKey);
    EXPECT_EQ(read("s.dat"), expected);

    veru::io::ByteFileReader reader(ypath("s.dat"));
    reader.setKeys(0, veru::io::fileKeyFor("dat"));
    EXPECT_EQ(reader.readLine().value(), u"Scene 1");

    expectQuietSuccess(mlpack({"unpack", path("s.dat"), path("back.txt")}));
    EXPECT_EQ(readText(dir.path() / "back.txt"), "Scene 1\n会話 テスト\nlast line without end\n");
}

TEST_F(MlpackTest, BrokenInputsFailWithoutTouchingTheOutput) {
    mirelune::test::writeBytes(ypath("old.ytx"), {1, 2, 3});
    mirelune::test::writeBytes(ypath("junk.png"), {'n', 'o', 't', ' ', 'p', 'n', 'g'});
    Outcome run = mlpack({"texture", path("junk.png"), path("old.ytx")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(path("junk.png")), std::string::npos) << run.err;
    EXPECT_EQ(read("old.ytx"), (Bytes{1, 2, 3}));

    const Bytes png = writePng("in.png", 30, 30);
    mirelune::test::writeBytes(ypath("cut.png"), Bytes(png.begin(), png.begin() + png.size() / 2));
    EXPECT_EQ(mlpack({"surface", path("cut.png"), path("cut.ysf")}).exitCode, 1);
    EXPECT_FALSE(mirelune::test::fileExists(ypath("cut.ysf")));
    mirelune::test::writeBytes(ypath("empty.png"), {});
    EXPECT_EQ(mlpack({"texture", path("empty.png"), path("e.ytx")}).exitCode, 1);

    run = mlpack({"texture", path("missing.png"), path("m.ytx")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "mlpack: FileNotFoundException::ファイルが見つかりませんでした。\n：" +
                           path("missing.png") + "\n");

    run = mlpack({"texture", path("in.png"), path("no/such/folder/x.ytx")});
    EXPECT_EQ(run.exitCode, 1);

    const std::string badText = "fine\n\xC3\x28 broken\n";
    mirelune::test::writeBytes(ypath("bad.txt"), Bytes(badText.begin(), badText.end()));
    run = mlpack({"script", path("bad.txt"), path("bad.dat")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("line 2: not UTF-8"), std::string::npos) << run.err;
    EXPECT_FALSE(mirelune::test::fileExists(ypath("bad.dat")));

    const std::string longLine(513, 'x');
    mirelune::test::writeBytes(ypath("long.txt"), Bytes(longLine.begin(), longLine.end()));
    EXPECT_EQ(mlpack({"script", path("long.txt"), path("long.dat")}).exitCode, 1);
}

TEST_F(MlpackTest, StageScriptIsPackedOnlyWhenItPassesTheCheck) {
    const std::string manifest =
        "# a manifest\n"
        "img/back.ysf    surface   img/back.png  gen/x.py size=2000x480 cell=2000x480 cells=1\n"
        "img/face.ytx    texture32 img/face.png  gen/x.py size=64x64 cell=64x64 cells=1\n"
        "img/shiro.ytx   texture32 img/shiro.png gen/x.py size=64x64 cell=64x64 cells=1\n"
        "sound/a.ogg     music     sound/a.ogg   music/a.abc loop=100\n";
    mirelune::test::writeBytes(ypath("manifest.txt"), Bytes(manifest.begin(), manifest.end()));
    const std::string good =
        "Back(img/back.ysf)\nBGM(sound/a.ogg)\nBOSS_BGM(sound/a.ogg)\nBOSS_Face(img/face.ytx)\n"
        "Info_Start1(img/face.ytx)\nInfo_Start2(img/face.ytx)\nInfo_End(img/face.ytx)\n"
        "Talking {\nInit(img/shiro.ytx, null)\n1P_Talk(よし)\n}\n"
        "Shooting {\nItem(LevelUp)\nEnemy(Bat1, 900, 240)\nBoss(TrialBoss)\n}\nBoss\n";
    mirelune::test::writeBytes(ypath("good.txt"), Bytes(good.begin(), good.end()));
    expectQuietSuccess(
        mlpack({"stage", path("good.txt"), path("good.dat"), "--manifest", path("manifest.txt")}));
    expectQuietSuccess(mlpack({"unpack", path("good.dat"), path("good_back.txt")}));
    EXPECT_EQ(readText(dir.path() / "good_back.txt"), good);

    // Each fault is named with its line; nothing is written.
    std::string bad = good;
    bad.replace(bad.find("Bat1"), 4, "Bat99");
    bad.replace(bad.find("img/shiro.ytx"), 13, "img/nobody.ytx");
    bad.replace(bad.find("900"), 3, "9OO");
    bad.replace(bad.find("Boss(TrialBoss)"), 15, "Item(Chance)\nBoss(Shadow)");
    mirelune::test::writeBytes(ypath("bad.txt"), Bytes(bad.begin(), bad.end()));
    const Outcome run =
        mlpack({"stage", path("bad.txt"), path("bad.dat"), "--manifest", path("manifest.txt")});
    EXPECT_EQ(run.exitCode, 1);
    for (const char* expected :
         {"line 9: talk picture \"img/nobody.ytx\" is not in the manifest",
          "line 14: the position \"9OO\" is not a number", "line 14: unknown enemy kind \"Bat99\"",
          "line 15: no \"Enemy\" takes up this \"Item\"", "line 16: unknown boss \"Shadow\""})
        EXPECT_NE(run.err.find(expected), std::string::npos) << expected << "\n" << run.err;
    EXPECT_NE(run.err.find(path("bad.txt")), std::string::npos);
    EXPECT_FALSE(mirelune::test::fileExists(ypath("bad.dat")));

    // Blank lines are kept, so the game counts lines as the check does;
    // lines the game would skip are warned of and the script is packed.
    std::string spaced = good;
    spaced.replace(spaced.find("Shooting {\n"), 11,
                   "\n\nShooting {\n\nenemy(Bat1, 950, 240)\nEnemy\u3000Bat2\u3000990\u3000240\n");
    mirelune::test::writeBytes(ypath("spaced.txt"), Bytes(spaced.begin(), spaced.end()));
    Outcome packed = mlpack(
        {"stage", path("spaced.txt"), path("spaced.dat"), "--manifest", path("manifest.txt")});
    EXPECT_EQ(packed.exitCode, 0) << packed.err;
    EXPECT_EQ(
        packed.err,
        path("spaced.txt") +
            ": line 16: warning: ignored in a \"Shooting\" section: \"enemy\" is no "
            "statement there (did you mean \"Enemy\"? case counts)\n" +
            path("spaced.txt") +
            ": line 17: warning: ignored in a \"Shooting\" section: \"Enemy\u3000Bat2\u3000990"
            "\u3000240\" is no statement there (full-width spaces or punctuation do not "
            "separate words: type half-width ones)\n");
    expectQuietSuccess(mlpack({"unpack", path("spaced.dat"), path("spaced_back.txt")}));
    EXPECT_EQ(readText(dir.path() / "spaced_back.txt"), spaced);

    // Half a megabyte of text packs to over a megabyte of UTF-16, more than
    // the game reads: refused here, not at the stage's start.
    std::string large = good;
    for (int i = 0; i < 1100; ++i)
        large += "// " + std::string(500, 'x') + "\n";
    mirelune::test::writeBytes(ypath("large.txt"), Bytes(large.begin(), large.end()));
    const Outcome tooLarge =
        mlpack({"stage", path("large.txt"), path("large.dat"), "--manifest", path("manifest.txt")});
    EXPECT_EQ(tooLarge.exitCode, 1);
    EXPECT_NE(tooLarge.err.find(path("large.txt") + ": packs to "), std::string::npos)
        << tooLarge.err;
    EXPECT_NE(tooLarge.err.find("the game reads at most 1048576"), std::string::npos);
    EXPECT_FALSE(mirelune::test::fileExists(ypath("large.dat")));

    EXPECT_EQ(mlpack({"stage", path("good.txt"), path("x.dat")}).exitCode, 2) << "no manifest";
    EXPECT_EQ(
        mlpack({"stage", path("good.txt"), path("x.dat"), "--manifest", path("no_manifest.txt")})
            .exitCode,
        1);
}

TEST_F(MlpackTest, BadCommandLinesExitWithUsage) {
    writePng("in.png", 2, 2);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {},
             {"pack", "a", "b"},
             {"texture", path("in.png")},
             {"texture", path("in.png"), path("o.ytx"), "--bits", "16"},
             {"texture", path("in.png"), path("o.ytx"), "--bits"},
             {"texture", path("in.png"), path("o.ytx"), "--depth", "24"},
             {"surface", path("in.png"), path("o.ysf"), "extra"},
             {"unpack", path("in.png"), path("o.png")},
             {"info", path("in.png")},
         }) {
        const Outcome run = mlpack(args);
        EXPECT_EQ(run.exitCode, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(run.err.find("usage:"), std::string::npos);
    }
    const Outcome help = mlpack({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("mlpack texture"), std::string::npos);
    EXPECT_FALSE(mirelune::test::fileExists(ypath("o.ytx")));
}

}  // namespace
