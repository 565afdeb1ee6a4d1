// The stage's screen furniture placed as the shooting scene places it: the
// information strip's pieces fit the strip (y 480-600) without touching each
// other, the boss's face arrives before the boss gauge has filled, the pause
// and continue entries and the captions stay on screen and apart, and the
// talk balloons and portraits fit the field with room for three lines.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/assets/PictureFiles.h"

namespace mirelune::assets {
namespace {

using veru::platform::Image;

constexpr int kScreenW = 800, kScreenH = 600, kFieldH = 480;

struct Size {
    int w = 0, h = 0;
};

Size sizeOf(const std::string& path) {
    const Image image = committedPicture(path);
    return {image.width, image.height};
}

using Named = std::vector<std::pair<std::string, Rect>>;

void expectApart(const Named& pieces) {
    for (std::size_t i = 0; i < pieces.size(); ++i)
        for (std::size_t j = i + 1; j < pieces.size(); ++j)
            EXPECT_FALSE(pieces[i].second.overlaps(pieces[j].second))
                << pieces[i].first << " " << pieces[i].second << " and " << pieces[j].first << " "
                << pieces[j].second;
}

TEST(StageLayoutTest, InformationStripPiecesFitTheStripWithoutOverlapping) {
    const Size strip = sizeOf("img/InfoArea.ytx");
    EXPECT_EQ(strip.w, kScreenW);
    EXPECT_EQ(strip.h, kScreenH - kFieldH);
    const Size icon = sizeOf("img/kintuba.ytx");
    const Size life = sizeOf("img/chance.ytx");
    const Size frame = sizeOf("img/gauge_white.ytx");
    for (const char* layer : {"img/gauge_arround.ytx", "img/gauge_red.ytx", "img/gauge_blue.ytx",
                              "img/gauge_yellow.ytx"}) {
        const Size s = sizeOf(layer);
        EXPECT_EQ(s.w, frame.w) << layer << ": every gauge layer has the frame's size";
        EXPECT_EQ(s.h, frame.h) << layer;
    }
    Named pieces;
    // the kintsuba gauge: width = icon + gap + frame, placed at (400 - width, 604 - icon height)
    const int gap = 10;
    const int left = 400 - (icon.w + gap + frame.w);
    const int top = kScreenH + 4 - icon.h;
    const Rect gaugeIcon = Rect::centred(left + icon.w / 2, top + icon.h / 4, icon.w, icon.h);
    const int frameX = left + icon.w + 2 * gap + frame.w / 2;
    const int frameY = top + frame.h / 2;
    const Rect gaugeFrame = Rect::centred(frameX, frameY, frame.w, frame.h);
    pieces.emplace_back("kintsuba gauge icon", gaugeIcon);
    pieces.emplace_back("kintsuba gauge", gaugeFrame);
    // the lives (at most 5) and stock (at most 8) rows grow left from the gauge's right edge
    const int refX = frameX + frame.w / 2;
    const Rect lives{refX - 5 * life.w, 495, refX, 495 + life.h};
    const Rect stock{refX - 8 * icon.w, life.h + 500, refX, life.h + 500 + icon.h};
    pieces.emplace_back("lives row", lives);
    pieces.emplace_back("stock row", stock);
    // the boss gauge at (790 - width, 600 - (height + 10)); the boss face slid in to the right edge
    const Rect bossGauge{790 - frame.w, kScreenH - (frame.h + 10), 790, kScreenH - 10};
    const Size face = sizeOf("img/boss_face_seiichirou.ytx");
    const Rect bossFace{kScreenW - face.w, kFieldH, kScreenW, kFieldH + face.h};
    pieces.emplace_back("boss gauge", bossGauge);
    pieces.emplace_back("boss face", bossFace);
    const Rect stripRect{0, kFieldH, kScreenW, kScreenH};
    for (const auto& [name, rect] : pieces)
        EXPECT_TRUE(rect.inside(stripRect)) << name << " " << rect << " leaves the strip";
    expectApart(pieces);
    // the gauge icon sits level with its frame
    EXPECT_LE(std::abs((gaugeIcon.top + gaugeIcon.bottom) / 2 - frameY), 2);
}

TEST(StageLayoutTest, BossFaceArrivesBeforeTheBossGaugeHasFilled) {
    // The face moves 8 pixels a frame and reports arrival only when it has
    // moved exactly its width; the battle starts on the one frame the gauge's
    // fill-up completes (its 100th update), so the face must be there by then.
    const Size face = sizeOf("img/boss_face_seiichirou.ytx");
    EXPECT_EQ(face.w % 8, 0) << "a face " << face.w << " wide never arrives";
    EXPECT_LT(face.w / 8, 100);
    EXPECT_GT(face.w, 0);
}

TEST(StageLayoutTest, PauseAndContinueEntriesStayOnScreenAndApart) {
    // entries centred at x = 400, from y = 300 - (count / 2) * (first entry's height)
    const auto place = [](const std::vector<std::string>& names, Named& ink, int& top) {
        const Image first = committedPicture("img/" + names[0] + "_n.ytx");
        top = kScreenH / 2 - static_cast<int>(names.size() / 2) * first.height;
        int y = top;
        for (const std::string& name : names) {
            for (const char* state : {"_n", "_s"}) {
                const Image p = committedPicture("img/" + name + state + ".ytx");
                const Rect frame = Rect::centred(kScreenW / 2, y, p.width, p.height);
                EXPECT_TRUE(frame.insideScreen()) << name << state << " " << frame;
                if (state[1] == 'n')
                    ink.emplace_back(name, inkBox(p).moved(frame.left, frame.top));
            }
            y += first.height;
        }
    };
    Named pause;
    int top = 0;
    place({"return_game", "retry", "return_title", "end_game"}, pause, top);
    expectApart(pause);

    Named dialog;
    place({"yes", "no"}, dialog, top);
    const Image title = committedPicture("img/continue.ytx");
    const Rect titleFrame =
        Rect::centred(kScreenW / 2, top - title.height, title.width, title.height);
    EXPECT_TRUE(titleFrame.insideScreen()) << titleFrame;
    dialog.emplace_back("continue title", inkBox(title).moved(titleFrame.left, titleFrame.top));
    expectApart(dialog);
}

TEST(StageLayoutTest, StartCaptionsShowTogetherWithoutTouching) {
    Named ink;
    const std::pair<const char*, std::pair<int, int>> captions[] = {
        {"img/info_start1.ytx", {400, 220}}, {"img/info_start2.ytx", {400, 260}}};
    for (const auto& [path, centre] : captions) {
        const Image p = committedPicture(path);
        const Rect frame = Rect::centred(centre.first, centre.second, p.width, p.height);
        EXPECT_TRUE(frame.inside({0, 0, kScreenW, kFieldH})) << path << " " << frame;
        ink.emplace_back(path, inkBox(p).moved(frame.left, frame.top));
    }
    expectApart(ink);
    const Image end = committedPicture("img/info_end.ytx");
    EXPECT_TRUE(Rect::centred(400, 240, end.width, end.height).inside({0, 0, kScreenW, kFieldH}));
}

TEST(StageLayoutTest, TalkBalloonsHoldThreeLinesOfFifteenCharactersInTheField) {
    // Balloon of side 1 at x = 800 - w - 100, side 2 at x = 100, both with
    // their bottom 10 pixels above the field's; the text's top-left at
    // (800 - w - 80 or 120, (480 + h - 24) / 2). Text: size 24, line gap 5.
    const int textW = 15 * 24, textH = 3 * 24 + 2 * 5 + 6;
    for (int side = 1; side <= 2; ++side) {
        const std::string path = side == 1 ? "img/player_ta.ytx" : "img/enemy_ta.ytx";
        SCOPED_TRACE(path);
        const Image box = committedPicture(path);
        const int boxLeft = side == 1 ? kScreenW - box.width - 100 : 100;
        const int boxTop = kFieldH - box.height - 10;
        const Rect frame{boxLeft, boxTop, boxLeft + box.width, boxTop + box.height};
        EXPECT_TRUE(frame.inside({0, 0, kScreenW, kFieldH})) << frame;
        const int textX = side == 1 ? kScreenW - box.width - 80 : 120;
        const int textY = (kFieldH + box.height - 24) >> 1;
        const Rect text{textX, textY, textX + textW, textY + textH};
        EXPECT_TRUE(text.inside(frame)) << "text " << text << " leaves the balloon " << frame;
        // the balloon is solid (a light ground for the black text) all under the text
        int holes = 0;
        for (int y = text.top; y < text.bottom; ++y)
            for (int x = text.left; x < text.right; ++x)
                holes += alphaAt(box, x - boxLeft, y - boxTop) < 200;
        EXPECT_EQ(holes, 0);
    }
}

TEST(StageLayoutTest, TalkPortraitsStayOnScreenInEveryPose) {
    // Slide distance 160; a portrait no wider than 256 is centred on
    // x + half width with its top at b (0 or 10): speaking at x = 160 - h
    // (side 1) or 640 - h (side 2), listening 10 pixels further out.
    const std::vector<std::string> portraits{
        "img/talk_siro_normal.ytx",         "img/talk_siro_smile.ytx",
        "img/talk_siro_angry.ytx",          "img/talk_siro_surprised.ytx",
        "img/talk_seiichirou_normal.ytx",   "img/talk_seiichirou_angry.ytx",
        "img/talk_seiichirou_troubled.ytx", "img/talk_kintubat.ytx"};
    for (const std::string& path : portraits) {
        SCOPED_TRACE(path);
        const Image p = committedPicture(path);
        ASSERT_GT(p.width, 0);
        EXPECT_LE(p.width, 256) << "a wider picture is drawn off its slide";
        const int h = p.width >> 1;
        for (const int x : {160 - h, 160 - h - 10, 800 - 160 - h, 800 - 160 - h + 10}) {
            const Rect frame{x, 0, x + p.width, p.height};
            EXPECT_GE(frame.left, 0) << frame;
            EXPECT_LE(frame.right, kScreenW) << frame;
        }
        // waist-up: tall enough to reach the strip, so no body ends in mid-air
        EXPECT_GE(p.height, kFieldH);
        EXPECT_LE(p.height, kFieldH + 40);
        // the figure stands on the bottom edge: the bottom rows are solid in the middle
        int solid = 0;
        for (int x = p.width / 4; x < 3 * p.width / 4; ++x)
            solid += alphaAt(p, x, p.height - 1) >= 200;
        EXPECT_GT(solid, p.width / 4);
    }
}

}  // namespace
}  // namespace mirelune::assets
