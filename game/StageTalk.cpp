#include "game/StageTalk.h"

#include "engine/material/Texture.h"
#include "game/shooting/cmp/TalkBox.h"
#include "game/shooting/cmp/TalkPortrait.h"

namespace ml {

namespace {

using shooting::cmp::TalkBox;
using shooting::cmp::TalkPortrait;

constexpr int kPortraitListening = 2;
constexpr int kPortraitSpeaking = 5;
constexpr int kPortraitLeaving = 7;

veru::dxt::material::Texture* find(const StageTalk::PictureTable& pictures,
                                   const veru::YString& name) {
    auto found = pictures.find(name);
    return found == pictures.end() ? nullptr : found->second.get();
}

}  // namespace

StageTalk::StageTalk(veru::platform::VideoDevice* device, int screenWidth, int screenHeight)
    : portrait1(std::make_unique<TalkPortrait>(screenWidth, screenHeight, true)),
      portrait2(std::make_unique<TalkPortrait>(screenWidth, screenHeight, false)),
      talkBox1(std::make_unique<TalkBox>(device, 800, 480, true)),
      talkBox2(std::make_unique<TalkBox>(device, 800, 480, false)) {}

StageTalk::~StageTalk() = default;

void StageTalk::show(int side, const veru::YString& name, const PictureTable& pictures) {
    TalkPortrait& p = portrait(side);
    veru::dxt::material::Texture* picture =
        name.equalsText(u"null") ? nullptr : find(pictures, name);
    if (!picture) {
        p.setVisible(false);
        return;
    }
    p.setPicture(picture);
    p.setVisible(true);
    p.slideIn();
}

void StageTalk::speak(int side, const veru::YString& text) {
    box(side).setText(text);
    box(3 - side).setText(veru::YString());
    portrait(side).setSpeaking(true);
    portrait(3 - side).setSpeaking(false);
}

bool StageTalk::runTalkLine(const std::vector<veru::YString>& words, const PictureTable& pictures) {
    if (words.empty())
        return false;
    const veru::YString& first = words[0];
    if (first.equalsText(u"}")) {
        portrait1->leave();
        portrait2->leave();
        talkBox1->setText(veru::YString());
        talkBox2->setText(veru::YString());
        return true;
    }
    if (first.equalsText(u"Init")) {
        if (words.size() < 3)
            return false;
        show(1, words[1], pictures);
        show(2, words[2], pictures);
        return true;
    }
    const bool image1 = first.equalsText(u"1P_Image");
    if (image1 || first.equalsText(u"2P_Image")) {
        if (words.size() < 2)
            return false;
        veru::dxt::material::Texture* picture = find(pictures, words[1]);
        if (!picture)
            return false;
        TalkPortrait& p = portrait(image1 ? 1 : 2);
        p.setPicture(picture);
        if (!p.isVisible())
            p.enterFast();
        return false;
    }
    const bool talk1 = first.equalsText(u"1P_Talk");
    if (talk1 || first.equalsText(u"2P_Talk")) {
        if (words.size() < 2)
            return false;
        speak(talk1 ? 1 : 2, words[1]);
        return true;
    }
    return false;
}

bool StageTalk::update(int buttons, bool& scriptWaiting) {
    const bool leaving1 = !portrait1->isVisible() || portrait1->getState() == kPortraitLeaving;
    const bool leaving2 = !portrait2->isVisible() || portrait2->getState() == kPortraitLeaving;
    const bool done1 = portrait1->update() || !portrait1->isVisible();
    const bool done2 = portrait2->update() || !portrait2->isVisible();

    for (int side : {1, 2}) {
        TalkPortrait& p = portrait(side);
        TalkBox& b = box(side);
        const bool speaking = p.isVisible() ? p.getState() == kPortraitSpeaking : !b.isIdle();
        if (speaking)
            scriptWaiting = !b.update(buttons);
    }
    if (portrait1->isVisible() && portrait1->getState() == kPortraitListening && talkBox2->isIdle())
        scriptWaiting = false;
    if (portrait2->isVisible() && portrait2->getState() == kPortraitListening && talkBox1->isIdle())
        scriptWaiting = false;
    return done1 && done2 && leaving1 && leaving2;
}

void StageTalk::clear() {
    portrait1->clear();
    portrait2->clear();
    talkBox1->clear();
    talkBox2->clear();
}

void StageTalk::draw(veru::dxt::DirectGraphics& graphics) {
    portrait1->draw(graphics);
    portrait2->draw(graphics);
    talkBox1->draw(graphics);
    talkBox2->draw(graphics);
}

}  // namespace ml
