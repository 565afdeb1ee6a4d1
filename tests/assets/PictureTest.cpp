// The pictures of the manifest: the committed PNGs have the sizes the code
// expects, every packed file in the game folder reads back as the same
// picture, the menu items come in clear normal/highlighted pairs, and the
// menu and configuration screens lay them out without overlaps.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/core/YString.h"
#include "engine/exceptions/Exception.h"
#include "engine/io/Scrambler.h"
#include "engine/material/ImageContainer.h"
#include "engine/platform/image/Image.h"
#include "frontend/ConfigScene.h"
#include "tests/assets/AssetManifest.h"
#include "tests/assets/PictureFiles.h"

namespace mirelune::assets {
namespace {

using veru::platform::Image;

std::string toUtf8(const char16_t* text) {
    return veru::YString(text).toUtf8();
}

class AssetPictureTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { veru::io::registerGameFileKeys(); }

    // The committed picture of a menu item ("menu_start_n"), decoded.
    Image item(const std::string& name) {
        return decodeFile(assetsDir() / "img" / (name + ".png"));
    }

    std::vector<ManifestEntry> entries = loadManifest();
};

TEST_F(AssetPictureTest, EveryEntryNamesItsCommittedFileAndSources) {
    std::set<std::string> paths;
    for (const ManifestEntry& e : entries) {
        SCOPED_TRACE("manifest line " + std::to_string(e.line) + ": " + e.path);
        EXPECT_TRUE(paths.insert(e.path).second) << "listed twice";
        EXPECT_TRUE(std::filesystem::is_regular_file(assetsDir() / e.file)) << e.file;
        std::size_t start = 0;
        for (std::size_t plus; start <= e.source.size(); start = plus + 1) {
            plus = e.source.find('+', start);
            if (plus == std::string::npos)
                plus = e.source.size();
            const std::string source = e.source.substr(start, plus - start);
            EXPECT_TRUE(std::filesystem::is_regular_file(assetsDir() / "src" / source)) << source;
        }
        const std::set<std::string> kinds{"surface", "texture32", "texture24", "picture",
                                          "wave",    "music",     "script",    "stage"};
        EXPECT_TRUE(kinds.count(e.kind)) << "unknown kind " << e.kind;
    }
    EXPECT_FALSE(paths.empty());
}

TEST_F(AssetPictureTest, CommittedPicturesHaveTheManifestSizesAndWholeCells) {
    int pictures = 0;
    for (const ManifestEntry& e : entries) {
        if (!e.isPicture())
            continue;
        ++pictures;
        SCOPED_TRACE(e.path);
        ASSERT_GT(e.width, 0) << "a picture needs size=WxH";
        ASSERT_GT(e.cellWidth, 0) << "a picture needs cell=WxH";
        ASSERT_GT(e.cells, 0) << "a picture needs cells=N";
        EXPECT_EQ(e.width % e.cellWidth, 0) << "the sheet is not a whole number of cells wide";
        EXPECT_EQ(e.height % e.cellHeight, 0) << "the sheet is not a whole number of cells high";
        EXPECT_LE(e.cells, (e.width / e.cellWidth) * (e.height / e.cellHeight));
        int w = 0, h = 0;
        ASSERT_TRUE(veru::platform::readImageSize(readBytes(assetsDir() / e.file), w, h)) << e.file;
        EXPECT_EQ(w, e.width);
        EXPECT_EQ(h, e.height);
        if (e.kind == "surface" && e.path.ends_with("_back.ysf")) {
            // a stage's scrolling background: at least the play field, wider to scroll
            EXPECT_GE(e.width, 800);
            EXPECT_GE(e.height, 480);
        } else if (e.kind == "surface") {
            EXPECT_EQ(e.width, 800);
            EXPECT_EQ(e.height, 600);
        }
    }
    EXPECT_GT(pictures, 0);
}

TEST_F(AssetPictureTest, PackedPicturesReadBackAsTheirSource) {
    for (const ManifestEntry& e : entries) {
        if (!e.isPicture())
            continue;
        SCOPED_TRACE(e.path);
        const std::filesystem::path packed = gameDir() / e.path;
        ASSERT_TRUE(std::filesystem::exists(packed)) << "not produced: " << packed;
        if (e.kind == "picture") {
            EXPECT_EQ(readBytes(packed), readBytes(assetsDir() / e.file)) << "copied as it is";
            continue;
        }
        const bool surface = e.kind == "surface";
        try {
            const auto container = veru::dxt::material::readImageContainer(
                veru::YString::fromUtf8(packed.string()), surface ? "ysf" : "ytx");
            if (surface) {
                EXPECT_EQ(container.header.width, e.width);
                EXPECT_EQ(container.header.height, e.height);
            } else {
                EXPECT_EQ(container.header.bitDepth, e.kind == "texture32" ? 32 : 24);
            }
            Image image;
            ASSERT_TRUE(veru::platform::decodeImage(container.payload, image));
            EXPECT_EQ(image.width, e.width);
            EXPECT_EQ(image.height, e.height);
            const Image original = decodeFile(assetsDir() / e.file);
            EXPECT_TRUE(image.pixels == original.pixels)
                << "the packed picture differs from " << e.file;
            if (e.kind == "texture32") {
                EXPECT_TRUE(std::any_of(image.pixels.begin(), image.pixels.end(),
                                        [](std::uint32_t p) { return (p >> 24) < 255; }))
                    << "a 32-bit texture should have transparent parts";
            }
        } catch (const veru::excp::Exception& ex) {
            ADD_FAILURE() << ex.getMessage().toUtf8();
        }
    }
}

TEST_F(AssetPictureTest, MenuItemsComeInClearlyDifferentPairsOfOneSize) {
    int pairs = 0;
    for (const ManifestEntry& e : entries) {
        if (e.path.size() < 6 || e.path.compare(e.path.size() - 6, 6, "_n.ytx") != 0)
            continue;
        SCOPED_TRACE(e.path);
        const std::string selectedPath = e.path.substr(0, e.path.size() - 6) + "_s.ytx";
        const auto selected = findEntry(entries, selectedPath);
        ASSERT_TRUE(selected) << "no highlighted picture " << selectedPath;
        EXPECT_EQ(e.kind, "texture32");
        EXPECT_EQ(selected->kind, "texture32");
        const Image normal = decodeFile(assetsDir() / e.file);
        const Image lit = decodeFile(assetsDir() / selected->file);
        ASSERT_EQ(normal.width, lit.width);
        ASSERT_EQ(normal.height, lit.height);
        // clearly highlighted: a good share of the pixels change visibly
        std::size_t changed = 0;
        for (std::size_t i = 0; i < normal.pixels.size(); ++i) {
            int difference = 0;
            for (int shift = 0; shift < 32; shift += 8)
                difference += std::abs(static_cast<int>((normal.pixels[i] >> shift) & 0xFF) -
                                       static_cast<int>((lit.pixels[i] >> shift) & 0xFF));
            changed += difference > 60;
        }
        EXPECT_GT(changed, normal.pixels.size() / 10);
        ++pairs;
    }
    // title (with practice and the replays), the heroine choice, configuration (with the
    // language row), action labels, pause (with retry), continue
    EXPECT_EQ(pairs, 5 + 2 + 13 + 4 + 5 + 4 + 2);
}

TEST_F(AssetPictureTest, TitleMenuItemsStayApartOnScreen) {
    // Centred on (400, 380), (400, 450), (400, 520).
    const char* names[] = {"menu_start", "menu_config", "menu_end"};
    std::vector<Rect> ink;
    for (int i = 0; i < 3; ++i) {
        for (const char* state : {"_n", "_s"}) {
            const Image picture = item(std::string(names[i]) + state);
            const Rect frame = Rect{0, 0, picture.width, picture.height}.moved(
                400 - picture.width / 2, 380 + 70 * i - picture.height / 2);
            EXPECT_TRUE(frame.insideScreen()) << names[i] << state << " " << frame;
            if (state[1] == 'n')
                ink.push_back(inkBox(picture).moved(frame.left, frame.top));
        }
    }
    for (int i = 0; i < 3; ++i)
        for (int j = i + 1; j < 3; ++j)
            EXPECT_FALSE(ink[i].overlaps(ink[j]))
                << names[i] << " " << ink[i] << " and " << names[j] << " " << ink[j];
}

TEST_F(AssetPictureTest, ConfigurationLayoutKeepsEveryItemOnScreenAndApart) {
    using ml::ConfigScene;
    using ml::settings::kConfigRows;
    using ml::settings::Shown;
    // In each language, every picture where the configuration scene places it.
    for (const std::string suffix : {"", ".en"}) {
        SCOPED_TRACE(suffix.empty() ? "Japanese" : "English");
        std::map<std::string, Image> pic;
        const auto load = [&](const std::string& name) -> const Image& {
            if (!pic.count(name))
                pic[name] = item(name + "_n" + suffix);
            return pic[name];
        };
        std::vector<std::pair<std::string, Rect>> at;  // name, picture frame
        std::vector<std::pair<std::string, Rect>> ink;
        const auto place = [&](const std::string& name, int x, int y) {
            const Image& p = load(name);
            at.emplace_back(name, Rect{0, 0, p.width, p.height}.moved(x, y));
            ink.emplace_back(name, inkBox(p).moved(x, y));
        };
        for (int row = 0; row <= ConfigScene::kRowReturn; ++row) {
            const std::string name = row < ConfigScene::kRowReturn
                                         ? toUtf8(kConfigRows[row].picture)
                                         : std::string("return");
            const int y = ConfigScene::rowY(row);
            place(name, 30, y);
            if (row == ConfigScene::kRowReturn)
                break;
            const int right = 30 + load(name).width;
            const Shown shown = kConfigRows[row].shown;
            if (shown == Shown::choices || shown == Shown::screen) {
                int x = right + (shown == Shown::screen ? 26 : 30);
                for (const char16_t* choice : kConfigRows[row].choices) {
                    if (!choice)
                        continue;
                    place(toUtf8(choice), x, y + 6);
                    x += load(toUtf8(choice)).width + (shown == Shown::screen ? 4 : 10);
                }
            } else if (shown == Shown::gauge) {
                // ten 18 x 32 pips, 24 apart
                const Rect gauge{right + 30, y + 12, right + 30 + 24 * 9 + 18, y + 12 + 32};
                at.emplace_back(name + " gauge", gauge);
                ink.emplace_back(name + " gauge", gauge);
            } else {
                int actionY = y;
                for (int k = 1; k <= 5; ++k) {
                    const std::string action = "button" + std::to_string(k);
                    place(action, right + 30, actionY);
                    // the bound keys' label ("V, Left Shift  [Y / RB]", 20 px) beside it
                    const Rect& frame = at.back().second;
                    const Rect label{frame.right + 20, frame.top + 20,
                                     frame.right + 20 + 20 * 12 + 8, frame.top + 20 + 26};
                    at.emplace_back(action + " label", label);
                    ink.emplace_back(action + " label", label);
                    actionY += load(action).height - 20;
                }
            }
        }
        for (const auto& [name, frame] : at)
            EXPECT_TRUE(frame.insideScreen()) << name << " " << frame;
        for (std::size_t i = 0; i < ink.size(); ++i)
            for (std::size_t j = i + 1; j < ink.size(); ++j)
                EXPECT_FALSE(ink[i].second.overlaps(ink[j].second))
                    << ink[i].first << " " << ink[i].second << " and " << ink[j].first << " "
                    << ink[j].second;
    }
}

TEST_F(AssetPictureTest, TalkWindowLeavesRoomForTheFaceAndThreeLines) {
    const Image window = item("talk_area");
    EXPECT_EQ(window.width, 800);
    const int top = 600 - (2 * window.height) / 3 + 10;
    // the name at top + 25, then three lines of size 23, 5 pixels apart, inside the screen
    EXPECT_LE(top + 25 + 28 + 3 * 23 + 2 * 5, 600);
    // visible part of the window is mostly see-through but not empty
    long long alphaSum = 0;
    for (int y = 20; y < 600 - top; ++y)
        alphaSum += alphaAt(window, 400, y);
    const int mean = static_cast<int>(alphaSum / (600 - top - 20));
    EXPECT_GT(mean, 120);
    EXPECT_LT(mean, 250);
    for (const ManifestEntry& e : entries) {
        if (e.path.rfind("img/face_", 0) != 0)
            continue;
        // drawn with its top-left 30 pixels up and left of the window's corner:
        // it must not reach the text that starts at x = 200
        EXPECT_LE(e.width - 30, 200) << e.path;
        EXPECT_LE(top - 30 + e.height, 600 + 60) << e.path << " hangs far below the screen";
    }
}

}  // namespace
}  // namespace mirelune::assets
