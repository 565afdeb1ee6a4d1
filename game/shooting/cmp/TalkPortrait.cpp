#include "game/shooting/cmp/TalkPortrait.h"

#include <algorithm>

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"

namespace ml::shooting::cmp {

TalkPortrait::TalkPortrait(int w, int h, bool s)
    : side(s), screenWidth(w), screenHeight(h), slideDistance(w / 5) {}

void TalkPortrait::setAlpha(int value) {
    alpha = std::clamp(value, 0, 255);
    if (picture) {
        picture->setAlpha(alpha);
    }
}

void TalkPortrait::enter(int next) {
    state = next;
    counter = 0;
}

void TalkPortrait::settle(int rest) {
    if (rest == STATE_LISTENING && wish == Wish::speak) {
        rest = STATE_BECOMING_SPEAKER;
    } else if (rest == STATE_SPEAKING && wish == Wish::listen) {
        rest = STATE_BECOMING_LISTENER;
    }
    wish = Wish::none;
    enter(rest);
}

void TalkPortrait::setPicture(veru::dxt::material::Texture* texture) {
    picture = texture;
    wide = false;
    halfWidth = 0;
    if (!picture) {
        return;
    }
    setAlpha(state == STATE_SPEAKING ? 255 : kListeningAlpha);
    halfWidth = picture->getWidth() >> 1;
    if (picture->getWidth() > kWideLimit) {
        wide = true;
        halfWidth = kWideLimit / 2;
    }
}

void TalkPortrait::slideIn() {
    enter(STATE_SLIDING_IN);
}

void TalkPortrait::enterFast() {
    setAlpha(255);
    enter(STATE_FAST_ENTRY);
    visible = true;
}

void TalkPortrait::setSpeaking(bool speaking) {
    wish = Wish::none;
    if (speaking) {
        if (state == STATE_LISTENING) {
            enter(STATE_BECOMING_SPEAKER);
        } else if (state == STATE_SLIDING_IN || state == STATE_BECOMING_LISTENER) {
            wish = Wish::speak;
        }
    } else {
        if (state == STATE_SPEAKING) {
            enter(STATE_BECOMING_LISTENER);
        } else if (state == STATE_FAST_ENTRY || state == STATE_BECOMING_SPEAKER) {
            wish = Wish::listen;
        }
    }
}

void TalkPortrait::leave() {
    wish = Wish::none;
    if (state == STATE_SPEAKING) {
        leaveAfterDim = true;
        enter(STATE_BECOMING_LISTENER);
    } else {
        enter(STATE_SLIDING_OUT);
    }
}

void TalkPortrait::clear() {
    visible = false;
    leaveAfterDim = false;
    wide = false;
    halfWidth = 0;
    state = STATE_ABSENT;
    counter = 0;
    wish = Wish::none;
    picture = nullptr;
}

bool TalkPortrait::update() {
    if (!picture) {
        return true;
    }
    int across = slideDistance + halfWidth;
    switch (state) {
        case STATE_SLIDING_IN:
            counter += 5;
            if (counter >= across - 10) {
                settle(STATE_LISTENING);
            }
            break;
        case STATE_FAST_ENTRY:
            counter += 20;
            if (counter >= across) {
                settle(STATE_SPEAKING);
            }
            break;
        case STATE_BECOMING_SPEAKER:
            counter += 2;
            setAlpha(alpha + 10);
            if (counter >= 10) {
                settle(STATE_SPEAKING);
            }
            break;
        case STATE_BECOMING_LISTENER:
            counter += 2;
            setAlpha(alpha - 10);
            if (counter > 9) {
                if (leaveAfterDim) {
                    enter(STATE_SLIDING_OUT);
                } else {
                    settle(STATE_LISTENING);
                }
            }
            break;
        case STATE_SLIDING_OUT:
            counter += 3;
            if (counter >= across - 10) {
                enter(STATE_ABSENT);
                visible = false;
                return true;
            }
            break;
        default:
            break;
    }
    return false;
}

int TalkPortrait::drawX() const {
    const int W = screenWidth;
    const int D = slideDistance;
    const int h = halfWidth;
    const int c = counter;
    int left = 0;
    switch (state) {
        case STATE_SLIDING_IN:
        case STATE_FAST_ENTRY:
            left = side ? c - 2 * h : W - c;
            break;
        case STATE_LISTENING:
            left = side ? D - h - 10 : W - D - h + 10;
            break;
        case STATE_BECOMING_SPEAKER:
            left = side ? D + c - h - 10 : W - D - c - h + 10;
            break;
        case STATE_SPEAKING:
            left = side ? D - h : W - D - h;
            break;
        case STATE_BECOMING_LISTENER:
            left = side ? D - c - h : W + c - D - h;
            break;
        case STATE_SLIDING_OUT:
            left = side ? D - c - h - 10 : W + c - D - h + 10;
            break;
        default:
            break;
    }
    return wide ? left : left + h;
}

int TalkPortrait::drawY() const {
    int b = 0;
    switch (state) {
        case STATE_SLIDING_IN:
        case STATE_LISTENING:
        case STATE_SLIDING_OUT:
            b = 10;
            break;
        case STATE_BECOMING_SPEAKER:
            b = 10 - counter;
            break;
        case STATE_BECOMING_LISTENER:
            b = counter;
            break;
        default:
            break;
    }
    return b + (picture ? picture->getHeight() / 2 : 0);
}

void TalkPortrait::draw(veru::dxt::DirectGraphics& graphics) {
    if (!picture || state == STATE_ABSENT) {
        return;
    }
    // The picture may be shared with the other side: queue it with this portrait's alpha.
    picture->setAlpha(alpha);
    graphics.queueSprite(picture, drawX(), drawY());
}

}  // namespace ml::shooting::cmp
