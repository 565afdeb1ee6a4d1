#include "game/StageTalk.h"

#include "engine/material/Texture.h"
#include "game/StageBounds.h"
#include "game/StageScript.h"
#include "game/shooting/cmp/TalkBox.h"
#include "game/shooting/cmp/TalkPortrait.h"

namespace ml {

namespace {

using shooting::cmp::TalkBox;
using shooting::cmp::TalkPortrait;

constexpr int kPortraitListening = 2;
constexpr int kPortraitSpeaking = 5;
constexpr int kPortraitLeaving = 7;

}  // namespace

StageTalk::StageTalk(veru::platform::VideoDevice* device, int screenWidth, int screenHeight)
    : portrait1(std::make_unique<TalkPortrait>(screenWidth, screenHeight, true)),
      portrait2(std::make_unique<TalkPortrait>(screenWidth, screenHeight, false)),
      talkBox1(std::make_unique<TalkBox>(device, stage::kFieldWidth, stage::kFieldHeight, true)),
      talkBox2(std::make_unique<TalkBox>(device, stage::kFieldWidth, stage::kFieldHeight, false)) {}

StageTalk::~StageTalk() = default;

void StageTalk::show(int side, veru::dxt::material::Texture* picture) {
    TalkPortrait& p = portrait(side);
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

bool StageTalk::runStep(const StageStep& step) {
    switch (step.word) {
        case StageWord::End:
            portrait1->leave();
            portrait2->leave();
            talkBox1->setText(veru::YString());
            talkBox2->setText(veru::YString());
            return true;
        case StageWord::Init:
            show(1, step.pictures[0]);
            show(2, step.pictures[1]);
            return true;
        case StageWord::Image1:
        case StageWord::Image2: {
            if (!step.pictures[0])
                return false;
            TalkPortrait& p = portrait(step.side);
            p.setPicture(step.pictures[0]);
            if (!p.isVisible())
                p.enterFast();
            return false;
        }
        case StageWord::Talk1:
        case StageWord::Talk2:
            speak(step.side, step.text);
            return true;
        default:
            return false;
    }
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
