// The stage's sprites read as a player needs them to: every cell of a sheet
// is drawn and the cells differ (the animation moves), Shiro is small enough
// for her double size and her body covers her hit box, the 24 bats are 24
// different pictures that the one damage flash outlines, damage pictures
// leave a boss readable, the strip's right-hand panel is the boss face's to
// cover, colour-keyed sheets really are on opaque black, pictures for the
// additive mode are light on black, and the bats' bullets look nothing like
// Shiro's shots; Hotaru fills her small cells and her strip, shots and items
// are her own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/platform/image/Image.h"
#include "tests/assets/AssetManifest.h"
#include "tests/assets/PictureFiles.h"

namespace mirelune::assets {
namespace {

using veru::platform::Image;

struct Rgba {
    int r = 0, g = 0, b = 0, a = 0;
};

Rgba at(const Image& image, int x, int y) {
    const std::uint32_t p = image.pixels[static_cast<std::size_t>(y) * image.width + x];
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
            static_cast<int>(p & 0xFF), static_cast<int>(p >> 24)};
}

Image picture(const std::string& path, std::uint32_t colorKey = 0) {
    return committedPicture(path, colorKey);
}

// Cell i of a one-column sheet of cells of the given height.
Image cell(const Image& sheet, int i, int cellHeight) {
    Image out;
    out.width = sheet.width;
    out.height = cellHeight;
    const auto first =
        sheet.pixels.begin() + static_cast<std::ptrdiff_t>(i) * cellHeight * sheet.width;
    out.pixels.assign(first, first + static_cast<std::ptrdiff_t>(cellHeight) * sheet.width);
    return out;
}

// Share of the pixels whose alpha is at least `alpha` inside a rectangle.
double coverage(const Image& image, int left, int top, int right, int bottom, int alpha) {
    int solid = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            solid += at(image, x, y).a >= alpha;
    return static_cast<double>(solid) / ((right - left) * (bottom - top));
}

// Mean absolute difference of two pictures of one size, per channel (0..255).
double difference(const Image& a, const Image& b) {
    double sum = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const Rgba p = at(a, x, y), q = at(b, x, y);
            // colour weighted by coverage, so invisible colour does not count
            sum += std::abs(p.r * p.a - q.r * q.a) / 255.0 +
                   std::abs(p.g * p.a - q.g * q.a) / 255.0 +
                   std::abs(p.b * p.a - q.b * q.a) / 255.0 + std::abs(p.a - q.a);
        }
    return sum / (4.0 * a.width * a.height);
}

// Coverage-weighted mean colour of the clearly visible pixels.
Rgba meanColour(const Image& image) {
    double r = 0, g = 0, b = 0, w = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const Rgba p = at(image, x, y);
            if (p.a < 128)
                continue;
            r += p.r;
            g += p.g;
            b += p.b;
            w += 1;
        }
    if (w == 0)
        return {};
    return {static_cast<int>(r / w), static_cast<int>(g / w), static_cast<int>(b / w), 255};
}

double luminance(const Rgba& p) {
    return 0.2126 * p.r + 0.7152 * p.g + 0.0722 * p.b;
}

struct Sheet {
    const char* path;
    int cellHeight;
    int cells;
};

TEST(StagePictureTest, EveryCellOfTheAnimatedSheetsIsDrawnAndTheCellsMove) {
    std::vector<Sheet> sheets{{"img/vuzez.ytx", 128, 4},
                              {"img/vovizovar.ytx", 32, 4},
                              {"img/kintubat1_damage.ytx", 32, 4}};
    std::vector<std::string> bats;
    for (int k = 1; k <= 24; ++k)
        bats.push_back("img/kintubat" + std::to_string(k) + ".ytx");
    for (const std::string& bat : bats)
        sheets.push_back({bat.c_str(), 32, 4});
    sheets.push_back({"img/arc_bomb.ytx", 64, 12});
    for (const Sheet& s : sheets) {
        SCOPED_TRACE(s.path);
        const bool keyed = std::string(s.path) == "img/arc_bomb.ytx";
        const Image sheet = picture(s.path, keyed ? 0xFF000000u : 0u);
        ASSERT_EQ(sheet.height, s.cellHeight * s.cells);
        Image previous;
        for (int i = 0; i < s.cells; ++i) {
            const Image c = cell(sheet, i, s.cellHeight);
            // (an explosion's last cells are thin smoke, so "drawn" is a modest alpha)
            EXPECT_GT(coverage(c, 0, 0, c.width, c.height, 48), 0.04)
                << "cell " << i << " is empty";
            if (i > 0) {
                EXPECT_GT(difference(c, previous), 0.5)
                    << "cell " << i << " repeats the one before";
            }
            previous = c;
        }
    }
}

// The bounding rectangle (right and bottom exclusive) of the pixels whose
// alpha is at least `alpha`.
struct Box {
    int left, top, right, bottom;
};
Box opaqueBox(const Image& image, int alpha) {
    Box b{image.width, image.height, 0, 0};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (at(image, x, y).a >= alpha) {
                b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x + 1),
                     std::max(b.bottom, y + 1)};
            }
    return b;
}

// Her 40 x 22 hit box round the cell's centre; the game scales the picture
// and the box alike (up to twice), so what holds in the cell holds on screen.
constexpr Box kShiroHit{44, 53, 84, 75};

void expectShirosSize(const Image& picture) {
    const Box body = opaqueBox(picture, 128);
    // about 60-70 pixels across, so twice the size stays near 140
    EXPECT_GE(body.right - body.left, 56);
    EXPECT_LE(body.right - body.left, 72);
    EXPECT_LE(body.bottom - body.top, 72);
    // her whole hit box is her body: solid everywhere
    EXPECT_GE(
        coverage(picture, kShiroHit.left, kShiroHit.top, kShiroHit.right, kShiroHit.bottom, 200),
        0.97);
    // and she does not touch the cell's border (she would be cut off)
    int edge = 0;
    for (int k = 0; k < 128; ++k)
        edge += at(picture, k, 0).a > 64 || at(picture, k, 127).a > 64 ||
                at(picture, 0, k).a > 64 || at(picture, 127, k).a > 64;
    EXPECT_EQ(edge, 0);
}

TEST(StagePictureTest, ShiroIsSmallEnoughForDoubleSizeAndHerBodyIsHerHitBox) {
    const Image sheet = picture("img/vuzez.ytx");
    ASSERT_EQ(sheet.width, 128);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("cell " + std::to_string(i));
        expectShirosSize(cell(sheet, i, 128));
    }
    // the fall shows her at the same size, and it is not just a flight cell
    const Image fall = picture("img/vuzez_damage.ytx");
    {
        SCOPED_TRACE("fall");
        expectShirosSize(fall);
    }
    EXPECT_GT(difference(fall, cell(sheet, 1, 128)), 2.0);
    // The charge ring, drawn at twice its size and shrinking to nothing,
    // starts well round her and closes onto her body halfway.
    const Image ring = picture("img/bomb.ytx", 0xFF000000u);
    const Box drawn = opaqueBox(ring, 128);
    const Box body = opaqueBox(cell(sheet, 0, 128), 128);
    const double ringRadius = (drawn.right - drawn.left) / 2.0;
    const double bodyRadius = (body.right - body.left) / 2.0;
    EXPECT_GT(ringRadius, 1.3 * bodyRadius);
    EXPECT_LT(ringRadius, 2.5 * bodyRadius);
}

// Solid pixels of a figure (alpha >= `solid`), and those on its outline.
struct Outline {
    int solid = 0, edge = 0;
};

// How a damage picture lies over its figure: the share of the figure it
// hides (damage alpha >= 200), the share of the figure's outline it lights,
// and the share of the figure it touches at all.
struct DamageCover {
    double hidden = 0, rimLit = 0, touched = 0;
};

DamageCover damageCover(const Image& figure, const Image& damage, int solidAlpha, int rows = 0) {
    auto solid = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < figure.width && y < figure.height &&
               at(figure, x, y).a >= solidAlpha && (rows == 0 || y % rows < rows * 3 / 4);
    };
    int n = 0, hidden = 0, edges = 0, lit = 0, touched = 0;
    for (int y = 0; y < figure.height; ++y)
        for (int x = 0; x < figure.width; ++x) {
            if (!solid(x, y))
                continue;
            const int a = at(damage, x, y).a;
            ++n;
            hidden += a >= 200;
            touched += a > 0;
            if (!solid(x - 1, y) || !solid(x + 1, y) || !solid(x, y - 1) || !solid(x, y + 1)) {
                ++edges;
                lit += a >= 200;
            }
        }
    if (n == 0 || edges == 0)
        return {};
    return {double(hidden) / n, double(lit) / edges, double(touched) / n};
}

TEST(StagePictureTest, TwentyFourDifferentBatsAndOneFlashThatOutlinesThemAll) {
    const Image flash = picture("img/kintubat1_damage.ytx");
    std::vector<Image> firstCells;
    for (int k = 1; k <= 24; ++k) {
        SCOPED_TRACE("kintubat" + std::to_string(k));
        const Image sheet = picture("img/kintubat" + std::to_string(k) + ".ytx");
        ASSERT_EQ(sheet.width, 32);
        ASSERT_EQ(sheet.height, 128);
        EXPECT_GT(coverage(sheet, 0, 0, 32, 128, 230), 4 * 120 / (32.0 * 128));
        // the flash of the same wing frame rims the bat's solid body and wings
        // and tints the rest, but hides little of it (the held sweet, in the
        // cell's lower quarter, is not flashed)
        const DamageCover c = damageCover(sheet, flash, 230, 32);
        EXPECT_GE(c.touched, 0.85);
        EXPECT_GE(c.rimLit, 0.75);
        EXPECT_LT(c.hidden, 0.45);
        firstCells.push_back(cell(sheet, 0, 32));
    }
    for (std::size_t i = 0; i < firstCells.size(); ++i)
        for (std::size_t j = i + 1; j < firstCells.size(); ++j)
            EXPECT_GT(difference(firstCells[i], firstCells[j]), 0.6)
                << "kintubat" << i + 1 << " and kintubat" << j + 1 << " look the same";
    // the damage flash is a light flash, not a dark shape
    EXPECT_GT(luminance(meanColour(flash)), 220);
}

TEST(StagePictureTest, DamagePicturesRimTheBossAndLeaveHimReadable) {
    // The damage picture is on screen for most of a fight: it lights the
    // figure's outline but leaves its colours and face seen.
    const std::pair<const char*, const char*> pairs[] = {
        {"img/seiichirou_battle.ytx", "img/seiichirou_damage.ytx"},
        {"img/kiriha_battle.ytx", "img/kiriha_damage.ytx"},
        {"img/erika_battle.ytx", "img/erika_damage.ytx"},
        {"img/boss_sample.ytx", "img/boss_sample_damage.ytx"},
        {"img/cb_sam.ytx", "img/cb_sam_damage.ytx"},
        {"img/sister.ytx", "img/sister_damage.ytx"},
        {"img/sasaki_boss.ytx", "img/sasaki_damage.ytx"},
    };
    for (const auto& [figurePath, damagePath] : pairs) {
        SCOPED_TRACE(damagePath);
        const Image figure = picture(figurePath);
        const Image damage = picture(damagePath);
        ASSERT_EQ(damage.width, figure.width);
        ASSERT_EQ(damage.height, figure.height);
        const DamageCover c = damageCover(figure, damage, 200);
        EXPECT_GE(c.rimLit, 0.9);
        EXPECT_GE(c.touched, 0.95);
        EXPECT_LT(c.hidden, 0.3);
        EXPECT_GT(luminance(meanColour(damage)), 220);
    }
    // the trial boss's face stays his face under it
    const Image damage = picture("img/seiichirou_damage.ytx");
    EXPECT_LT(coverage(damage, 48, 18, 72, 40, 200), 0.05);
}

TEST(StagePictureTest, StripsRightPanelHasItsOwnContentThatTheBossFaceCovers) {
    // The boss face slides in to the strip's right edge, over the panel.
    const Image face = picture("img/boss_face_seiichirou.ytx");
    for (const char* path : {"img/InfoArea.ytx", "img/InfoAreaK.ytx"}) {
        SCOPED_TRACE(path);
        const Image strip = picture(path);
        const int faceLeft = strip.width - face.width;
        int content = 0, uncovered = 0;
        for (int y = 4; y < strip.height; ++y)  // under the hairline along the field
            for (int x = 480; x < strip.width; ++x) {
                if (luminance(at(strip, x, y)) < 110)
                    continue;  // the quiet lacquer
                const bool underFace =
                    x >= faceLeft && y < face.height && at(face, x - faceLeft, y).a >= 250;
                content += underFace;
                uncovered += !underFace;
            }
        EXPECT_GT(content, 800) << "the panel is an empty frame";
        EXPECT_EQ(uncovered, 0) << "panel content the face leaves showing";
    }
}

TEST(StagePictureTest, HotarusStripKeepsTheLayoutAndChangesTheCrest) {
    // The scene places the same rows and gauge on either strip: under them
    // the two are the same picture; the crest on the left is hers.
    const Image shiro = picture("img/InfoArea.ytx");
    const Image hotaru = picture("img/InfoAreaK.ytx");
    ASSERT_EQ(hotaru.width, shiro.width);
    ASSERT_EQ(hotaru.height, shiro.height);
    int differ = 0;
    for (int y = 8; y < shiro.height; ++y)
        for (int x = 150; x < 460; ++x)
            differ += shiro.pixels[y * shiro.width + x] != hotaru.pixels[y * shiro.width + x];
    EXPECT_EQ(differ, 0) << "the rows' and gauge's ground differs";
    double crest = 0;
    for (int y = 8; y < shiro.height; ++y)
        for (int x = 0; x < 140; ++x) {
            const Rgba a = at(shiro, x, y), b = at(hotaru, x, y);
            crest += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
        }
    EXPECT_GT(crest / (140.0 * (shiro.height - 8)), 10.0) << "the same crest";
}

// Her 16 x 14 hit box round the 32 x 32 cell's centre.
constexpr Box kHotaruHit{8, 9, 24, 23};

TEST(StagePictureTest, HotaruIsHerLanternAndBodyInsideHerCell) {
    const Image sheet = picture("img/vovizovar.ytx");
    ASSERT_EQ(sheet.width, 32);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("cell " + std::to_string(i));
        const Image c = cell(sheet, i, 32);
        // what the bats hit is mostly her (a trailing sleeve leaves a corner open)
        EXPECT_GE(
            coverage(c, kHotaruHit.left, kHotaruHit.top, kHotaruHit.right, kHotaruHit.bottom, 128),
            0.75);
        // the game spins the same cells as her fall: nothing may be cut off at the border
        int edge = 0;
        for (int k = 0; k < 32; ++k)
            edge += at(c, k, 0).a > 64 || at(c, k, 31).a > 64 || at(c, 0, k).a > 64 ||
                    at(c, 31, k).a > 64;
        EXPECT_EQ(edge, 0);
        // lake teal and firefly light, not Shiro's cream and gold
        const Rgba m = meanColour(c);
        EXPECT_GT(m.g, m.r) << "mean colour " << m.r << "," << m.g << "," << m.b;
        EXPECT_GE(m.b + 20, m.r);
    }
}

// A mask grown by one pixel towards its eight neighbours.
std::vector<bool> grown(const std::vector<bool>& mask, int w, int h) {
    std::vector<bool> out(mask.size(), false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < w && ny < h &&
                        mask[static_cast<std::size_t>(ny * w + nx)])
                        out[static_cast<std::size_t>(y * w + x)] = true;
                }
    return out;
}

TEST(StagePictureTest, HotaruAndHerSparksReadAtPlaySize) {
    // She is small and dark: on the night sky, the moon and the violet mist
    // alike, nearly all of her outline has something standing out from the
    // backdrop on it or just inside it.
    const Image sheet = picture("img/vovizovar.ytx");
    const Rgba backdrops[] = {{11, 10, 42, 255}, {255, 244, 210, 255}, {58, 47, 107, 255}};
    for (int i = 0; i < 4; ++i) {
        const Image c = cell(sheet, i, 32);
        std::vector<bool> solid(32 * 32), clear(32 * 32);
        for (int k = 0; k < 32 * 32; ++k) {
            solid[static_cast<std::size_t>(k)] = at(c, k % 32, k / 32).a >= 128;
            clear[static_cast<std::size_t>(k)] = !solid[static_cast<std::size_t>(k)];
        }
        const auto nearClear = grown(clear, 32, 32);
        std::vector<bool> outline(32 * 32), band(32 * 32);
        for (std::size_t k = 0; k < outline.size(); ++k)
            outline[k] = solid[k] && nearClear[k];
        const auto nearOutline = grown(outline, 32, 32);
        for (std::size_t k = 0; k < band.size(); ++k)
            band[k] = solid[k] && nearOutline[k];
        for (const Rgba& back : backdrops) {
            SCOPED_TRACE("cell " + std::to_string(i) + " on " + std::to_string(back.r) + "," +
                         std::to_string(back.g) + "," + std::to_string(back.b));
            std::vector<bool> standsOut(32 * 32, false);
            for (int k = 0; k < 32 * 32; ++k) {
                const Rgba p = at(c, k % 32, k / 32);
                const double a = p.a / 255.0;
                const Rgba seen{static_cast<int>(p.r * a + back.r * (1 - a)),
                                static_cast<int>(p.g * a + back.g * (1 - a)),
                                static_cast<int>(p.b * a + back.b * (1 - a)), 255};
                standsOut[static_cast<std::size_t>(k)] =
                    band[static_cast<std::size_t>(k)] &&
                    std::abs(luminance(seen) - luminance(back)) > 60;
            }
            const auto seenNear = grown(standsOut, 32, 32);
            int edge = 0, seen = 0;
            for (std::size_t k = 0; k < outline.size(); ++k)
                if (outline[k]) {
                    ++edge;
                    seen += seenNear[k];
                }
            EXPECT_GE(seen, edge * 85 / 100) << seen << " of " << edge << " outline pixels";
        }
    }
    // the fine spark is a streak along its flight, not a point like a star
    const Box lit = opaqueBox(picture("img/arc_white_bullet.ytx"), 100);
    EXPECT_GE(lit.right - lit.left, 5 * (lit.bottom - lit.top) / 2);
}

TEST(StagePictureTest, ColourKeyedPicturesAreOnOpaqueBlackWithoutHoles) {
    for (const char* path : {"img/bomb.ytx", "img/arc_bomb.ytx"}) {
        SCOPED_TRACE(path);
        const Image plain = picture(path);
        const Image keyed = picture(path, 0xFF000000u);
        ASSERT_EQ(plain.pixels.size(), keyed.pixels.size());
        // every corner is the key colour, and the key takes it out
        EXPECT_EQ(plain.pixels.front(), 0xFF000000u);
        EXPECT_EQ(plain.pixels.back(), 0xFF000000u);
        EXPECT_EQ(keyed.pixels.front(), 0u);
        // what is painted stays: a good part of the picture survives the key
        const auto kept = std::count_if(keyed.pixels.begin(), keyed.pixels.end(),
                                        [](std::uint32_t p) { return (p >> 24) >= 128; });
        EXPECT_GT(kept, static_cast<long>(keyed.pixels.size() / 50));
    }
}

TEST(StagePictureTest, AdditivePicturesAreLightOnBlack) {
    // The additive mode adds a texel's colour whatever its alpha: a texel that
    // is faint must also be dark, or the sprite shows as a lit square.
    for (const char* path : {"img/flare.ytx", "img/beam_unit.ytx", "img/lazer.ytx",
                             "img/flare_blue.ytx", "img/slush.ytx", "img/slush_blue.ytx"}) {
        SCOPED_TRACE(path);
        const Image image = picture(path);
        int bad = 0;
        double peak = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                const Rgba p = at(image, x, y);
                bad += std::max({p.r, p.g, p.b}) > p.a + 2;
                peak = std::max(peak, luminance(p));
            }
        EXPECT_EQ(bad, 0) << "texels brighter than their coverage";
        EXPECT_GT(peak, 200) << "a glow needs a bright heart";
        // and the border is dark: nothing is added around the sprite's edge
        if (image.height > 4) {
            for (int k = 0; k < image.width; ++k)
                EXPECT_LT(std::max({at(image, k, 0).r, at(image, k, 0).g, at(image, k, 0).b}), 24);
        }
    }
}

TEST(StagePictureTest, EnemyBulletsHaveAHotCoreADarkEdgeAndAreNotShirosColour) {
    const Rgba shot = meanColour(picture("img/rabbit_bullet.ytx"));
    for (const char* colour : {"red", "ice", "green", "yerrow", "blue"}) {
        for (const std::string& path : {std::string("img/arc_") + colour + "_bullet.ytx",
                                        std::string("img/arc_") + colour + ".ytx"}) {
            SCOPED_TRACE(path);
            const Image b = picture(path);
            const int c = b.width / 2;
            // a white-hot heart
            EXPECT_GT(luminance(at(b, c, c)), 230);
            EXPECT_GE(at(b, c, c).a, 250);
            // a dark outline on the way out from the centre, then nothing solid at the edge
            double darkest = 255;
            for (int x = c; x < b.width; ++x)
                if (at(b, x, c).a >= 160)
                    darkest = std::min(darkest, luminance(at(b, x, c)));
            EXPECT_LT(darkest, 60) << "no dark outline to hold it against a bright sky";
            EXPECT_LT(at(b, 0, 0).a, 16);
            // its colour is far from the cream-gold of Shiro's shots
            const Rgba m = meanColour(b);
            const double distance =
                std::sqrt(double((m.r - shot.r) * (m.r - shot.r)) +
                          (m.g - shot.g) * (m.g - shot.g) + (m.b - shot.b) * (m.b - shot.b));
            EXPECT_GT(distance, 70) << "mean colour " << m.r << "," << m.g << "," << m.b;
        }
    }
}

TEST(StagePictureTest, HotarusShotsAndItemsAreHerOwnLight) {
    const Rgba rabbit = meanColour(picture("img/rabbit_bullet.ytx"));
    const auto far = [](const Rgba& a, const Rgba& b) {
        return std::sqrt(double((a.r - b.r) * (a.r - b.r)) + (a.g - b.g) * (a.g - b.g) +
                         (a.b - b.b) * (a.b - b.b));
    };
    for (const char* path : {"img/arc_white_bullet.ytx", "img/arc_white.ytx"}) {
        SCOPED_TRACE(path);
        const Image b = picture(path);
        // a white-hot heart, and no dark ring round it: the bats' bullets have one,
        // so a player never takes her light for theirs
        int hx = 0, hy = 0;
        double brightest = 0;
        for (int y = 0; y < b.height; ++y)
            for (int x = 0; x < b.width; ++x)
                if (at(b, x, y).a >= 250 && luminance(at(b, x, y)) > brightest)
                    brightest = luminance(at(b, x, y)), hx = x, hy = y;
        EXPECT_GT(brightest, 230);
        double darkest = 255;
        for (int x = hx; x < b.width; ++x)
            if (at(b, x, hy).a >= 160)
                darkest = std::min(darkest, luminance(at(b, x, hy)));
        EXPECT_GT(darkest, 60);
        EXPECT_GT(far(meanColour(b), rabbit), 40) << "Shiro's cream-gold";
    }
    // her items are her own pictures, not Shiro's recoloured
    for (const char* kind : {"kintuba", "lintuba", "chance"}) {
        SCOPED_TRACE(kind);
        const Image hers = picture(std::string("img/") + kind + "K.ytx");
        const Image shiros = picture(std::string("img/") + kind + ".ytx");
        EXPECT_GT(difference(hers, shiros), 10.0);
        EXPECT_GT(coverage(hers, 0, 0, hers.width, hers.height, 200), 0.2);
    }
}

// A boss's hit parts: anchor in picture pixels and half sizes.
struct Part {
    int x, y, halfW, halfH;
};

TEST(StagePictureTest, EveryBossIsSolidWhereTheGameHitsHim) {
    // Bullets that hit must hit something the player sees, in every pose of
    // the fight (the damage picture only rims it).
    const std::vector<Part> duellist{{60, 28, 15, 15}, {64, 82, 8, 36}};
    const struct {
        std::vector<const char*> pictures;
        std::vector<Part> parts;
    } bosses[] = {
        {{"img/seiichirou.ytx", "img/seiichirou_battle.ytx"}, duellist},
        {{"img/kiriha_battle.ytx", "img/kiriha_pinch.ytx"},
         {{63, 33, 14, 15}, {64, 81, 5, 30}, {74, 68, 5, 18}}},
        {{"img/erika_battle.ytx", "img/erika_pinch.ytx"}, {{65, 33, 15, 15}, {68, 82, 9, 30}}},
        {{"img/boss_sample.ytx"}, {{31, 32, 22, 23}}},
        {{"img/cb_sam.ytx"},
         {{223, 132, 76, 66},
          {243, 300, 65, 101},
          {143, 129, 13, 37},
          {189, 324, 15, 85},
          {169, 365, 6, 64},
          {155, 410, 5, 31},
          {359, 307, 53, 111}}},
        {{"img/sister.ytx"},
         {{176, 160, 28, 67}, {265, 156, 93, 92}, {282, 381, 76, 130}, {379, 453, 20, 58}}},
        {{"img/sasaki_boss.ytx"},
         {{238, 222, 67, 75},
          {163, 227, 13, 44},
          {241, 123, 52, 16},
          {328, 194, 30, 64},
          {381, 173, 26, 40},
          {245, 404, 23, 107},
          {213, 436, 12, 73},
          {289, 439, 11, 72},
          {319, 462, 18, 48}}},
    };
    for (const auto& boss : bosses)
        for (const char* path : boss.pictures) {
            SCOPED_TRACE(path);
            const Image p = picture(path);
            for (const Part& part : boss.parts) {
                ASSERT_LE(part.x + part.halfW, p.width);
                ASSERT_LE(part.y + part.halfH, p.height);
                EXPECT_GT(coverage(p, part.x - part.halfW, part.y - part.halfH, part.x + part.halfW,
                                   part.y + part.halfH, 200),
                          0.6)
                    << "part at (" << part.x << ", " << part.y << ")";
            }
        }
    // the head part of the trial boss is his head: his pale face is there
    const Image battle = picture("img/seiichirou_battle.ytx");
    int skin = 0;
    for (int y = 18; y < 40; ++y)
        for (int x = 48; x < 72; ++x) {
            const Rgba c = at(battle, x, y);
            skin += c.a > 200 && c.r > 220 && c.g > 200 && c.b > 200;
        }
    EXPECT_GT(skin, 60);
}

// The solid shape of a figure on a 32 x 32 grid, the picture's bounding box
// of solid pixels stretched over it, so figures of any size compare.
std::vector<bool> silhouette(const Image& p) {
    int left = p.width, top = p.height, right = 0, bottom = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (at(p, x, y).a >= 160) {
                left = std::min(left, x), right = std::max(right, x + 1);
                top = std::min(top, y), bottom = std::max(bottom, y + 1);
            }
    std::vector<bool> grid(32 * 32, false);
    if (right <= left || bottom <= top)
        return grid;
    for (int gy = 0; gy < 32; ++gy)
        for (int gx = 0; gx < 32; ++gx) {
            const int x = left + (2 * gx + 1) * (right - left) / 64;
            const int y = top + (2 * gy + 1) * (bottom - top) / 64;
            grid[static_cast<std::size_t>(gy * 32 + gx)] = at(p, x, y).a >= 160;
        }
    return grid;
}

// Shared solid cells over cells solid in either: 1 for the same shape.
double overlap(const std::vector<bool>& a, const std::vector<bool>& b) {
    int both = 0, either = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        both += a[i] && b[i];
        either += a[i] || b[i];
    }
    return either ? static_cast<double>(both) / either : 1.0;
}

TEST(StagePictureTest, EveryBossIsAFigureOfItsOwn) {
    // Each boss is told apart on the field by its shape, not only its
    // colours: no figure is another's recoloured or resized, and a big boss's
    // small form is not another boss's.
    const std::vector<std::string> figures = {
        "img/seiichirou_battle.ytx", "img/erika_battle.ytx", "img/kiriha_battle.ytx",
        "img/boss_sample.ytx",       "img/teruteruSD.ytx",   "img/sisterSD.ytx",
        "img/sasakiSD.ytx",          "img/cb_sam.ytx",       "img/sister.ytx",
        "img/sasaki_boss.ytx"};
    std::vector<std::vector<bool>> shapes;
    for (const std::string& path : figures)
        shapes.push_back(silhouette(picture(path)));
    for (std::size_t i = 0; i < figures.size(); ++i)
        for (std::size_t j = i + 1; j < figures.size(); ++j)
            EXPECT_LT(overlap(shapes[i], shapes[j]), 0.8)
                << figures[i] << " and " << figures[j] << " have one shape";
    // the practice list's portraits: each boss's own face
    const std::vector<std::string> portraits = {"seiichirou", "erika",  "kiriha", "maruiyatu",
                                                "teruteru",   "sister", "sasaki"};
    for (std::size_t i = 0; i < portraits.size(); ++i)
        for (std::size_t j = i + 1; j < portraits.size(); ++j)
            EXPECT_GT(difference(picture("img/practice_" + portraits[i] + ".ytx"),
                                 picture("img/practice_" + portraits[j] + ".ytx")),
                      10.0)
                << portraits[i] << " and " << portraits[j];
}

TEST(StagePictureTest, BackgroundScrollsUntilTheBossArrivesOnHisGround) {
    // The window moves one pixel a frame and stops at width - 800. The last
    // bats enter when the stage counter reaches their position - 800; the
    // boss comes once they have crossed the field. The background must still
    // move while they do, and stop soon after, on the boss's ground.
    const auto entry = findEntry(loadManifest(), "img/stage_trial_back.ysf");
    ASSERT_TRUE(entry);
    std::ifstream script(assetsDir() / "src" / "script" / "stage_trial.txt");
    ASSERT_TRUE(script) << "no stage script";
    int last = 0;
    for (std::string line; std::getline(script, line);) {
        const auto open = line.find("Enemy(");
        if (open == std::string::npos)
            continue;
        const auto comma = line.find(',', open);
        ASSERT_NE(comma, std::string::npos) << line;
        last = std::max(last, std::stoi(line.substr(comma + 1)));
    }
    ASSERT_GT(last, 0);
    const int stop = entry->width - 800;
    EXPECT_GE(stop, last - 800 + 400)
        << "the background stops while the last bats are still coming";
    EXPECT_LE(stop, last - 800 + 1500) << "the boss's ground is never reached";
    EXPECT_EQ(entry->height, 480);
    // and it is a dark night: bullets and the moonlit player must read on it
    const Image back = picture("img/stage_trial_back.ysf");
    ASSERT_EQ(back.width, entry->width);
    double sum = 0;
    for (int y = 40; y < 440; y += 8)
        for (int x = 0; x < back.width; x += 16)
            sum += luminance(at(back, x, y));
    const double mean = sum / ((400 / 8) * (back.width / 16));
    EXPECT_LT(mean, 90);
    EXPECT_GT(mean, 12) << "not just black either";
}

}  // namespace
}  // namespace mirelune::assets
