#pragma once
// TalkPortrait: one speaker's picture in a stage talk. Side 1 (the player)
// stands on the left, side 2 on the right. It slides in from its screen
// edge, stands brighter, higher and nearer the middle while its side speaks,
// dims while it listens, and slides out at the end of the talk.
//
// States: 0 absent, 1 sliding in, 2 listening, 3 fast entry, 4 becoming the
// speaker, 5 speaking, 6 becoming a listener, 7 sliding out. A listening
// portrait is drawn at alpha 205, a speaking one at 255.
//
// A request to speak or to listen that comes while the portrait is still
// moving in, or still changing role, is kept and carried out when that
// movement ends, so a talk line is never lost to a portrait that arrived late.
//
// Ownership: borrows its picture (the scene's picture table owns it, and
// must keep it alive until clear() or the next setPicture).
// Thread: main thread only.

namespace veru::dxt {
class DirectGraphics;
}
namespace veru::dxt::material {
class Texture;
}

namespace ml::shooting::cmp {

class TalkPortrait {
  public:
    static constexpr int STATE_ABSENT = 0;
    static constexpr int STATE_SLIDING_IN = 1;
    static constexpr int STATE_LISTENING = 2;
    static constexpr int STATE_FAST_ENTRY = 3;
    static constexpr int STATE_BECOMING_SPEAKER = 4;
    static constexpr int STATE_SPEAKING = 5;
    static constexpr int STATE_BECOMING_LISTENER = 6;
    static constexpr int STATE_SLIDING_OUT = 7;

    static constexpr int kListeningAlpha = 205;
    static constexpr int kWideLimit = 256;

    // `side`: true for side 1 (left).
    TalkPortrait(int screenWidth, int screenHeight, bool side);

    void setPicture(veru::dxt::material::Texture* texture);
    void setVisible(bool b) { visible = b; }
    bool isVisible() const { return visible; }
    int getState() const { return state; }
    int getCounter() const { return counter; }
    int getHalfWidth() const { return halfWidth; }
    bool isWide() const { return wide; }
    int getAlpha() const { return alpha; }
    int getScreenHeight() const { return screenHeight; }
    veru::dxt::material::Texture* getPicture() const { return picture; }

    void slideIn();
    void enterFast();
    void setSpeaking(bool speaking);
    void leave();
    void clear();
    // One step; true without a picture and on the update that ends the slide out.
    bool update();
    void draw(veru::dxt::DirectGraphics& graphics);

    // Where draw puts the picture's centre in the current state.
    int drawX() const;
    int drawY() const;

  private:
    enum class Wish { none, speak, listen };

    void enter(int next);
    // Ends a movement in the resting state `rest` (listening or speaking),
    // or goes on to the role asked for meanwhile.
    void settle(int rest);
    void setAlpha(int value);

    bool side;
    bool visible = false;
    bool leaveAfterDim = false;
    bool wide = false;
    int screenWidth;
    int screenHeight;
    int slideDistance;
    int halfWidth = 0;
    int state = STATE_ABSENT;
    int counter = 0;
    int alpha = kListeningAlpha;
    Wish wish = Wish::none;
    veru::dxt::material::Texture* picture = nullptr;
};

}  // namespace ml::shooting::cmp
