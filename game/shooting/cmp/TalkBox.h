#pragma once
// TalkBox: one side's speech balloon in a stage talk — the balloon picture
// and one text that fades in, waits for the confirm button and fades out.
//
// Side 1 (the player's, "img/player_ta.ytx") stands 100 pixels from the
// view's right edge, side 2 ("img/enemy_ta.ytx") 100 pixels from its left
// edge, both 10 pixels above its bottom. The text is black, size 24 in the
// engine's default face, 5 pixels between lines, "+" starting a new line;
// it starts 20 pixels inside the balloon's left edge. A text that would run
// past the balloon's right or bottom edge is cut there: characters beyond
// the right edge and whole lines below the bottom are left out (one line
// and one character always remain).
//
// States: 0 idle, 1 fading in (alpha += 30 per update), 2 waiting for the
// confirm button (ButtonMap slot 1, shoot; a button held since the fade-in
// is taken on the first waiting update), 3 fading out (alpha -= 30).
//
// Ownership: owns the balloon and the text picture; borrows the device,
// which must outlive the box.
// Thread: main thread only.
// Failure: construction throws what Texture::load throws
// (FileNotFoundException for a missing balloon picture). A text that makes
// no picture (nothing to show, or no font) leaves the box idle.

#include <memory>

#include "engine/core/YString.h"
#include "engine/graphics/FontSpec.h"

namespace veru::platform {
class VideoDevice;
}
namespace veru::dxt {
class DirectGraphics;
class TextMeasurer;
}  // namespace veru::dxt
namespace veru::dxt::material {
class Texture;
}

namespace ml::shooting::cmp {

class TalkBox {
  public:
    static constexpr int STATE_IDLE = 0;
    static constexpr int STATE_FADING_IN = 1;
    static constexpr int STATE_WAITING = 2;
    static constexpr int STATE_FADING_OUT = 3;

    static constexpr const char16_t* kPlayerBoxPath = u"img/player_ta.ytx";
    static constexpr const char16_t* kOtherBoxPath = u"img/enemy_ta.ytx";
    static constexpr int kFontSize = 24;
    static constexpr std::uint32_t kTextColour = 0xFF000000u;
    static constexpr int kLineGap = 5;
    static constexpr int kFadeStep = 30;

    // `viewWidth`, `viewHeight`: the play field (800 x 480); `side`: true for side 1.
    TalkBox(veru::platform::VideoDevice* device, int viewWidth, int viewHeight, bool side);
    ~TalkBox();
    TalkBox(const TalkBox&) = delete;
    TalkBox& operator=(const TalkBox&) = delete;

    // Shows `text` (fading in); an empty text clears the box.
    void setText(const veru::YString& text);
    void clear();
    // One frame; true when the box is idle.
    bool update(int buttons);
    bool isIdle() const { return state == STATE_IDLE; }
    void draw(veru::dxt::DirectGraphics& graphics);

    int getState() const { return state; }
    int getBoxX() const { return boxX; }
    int getBoxY() const { return boxY; }
    int getTextX() const { return textX; }
    int getTextY() const { return textY; }
    // The text as it is drawn (after "+" became line breaks and cutting).
    const veru::YString& getShownText() const { return shownText; }
    veru::dxt::material::Texture* getTextTexture() const { return textTexture.get(); }

  private:
    // `text` cut to what fits inside the balloon.
    veru::YString fitted(const veru::YString& text) const;
    // English: `text` ("+" breaks) broken into lines at word boundaries.
    veru::YString wrappedWords(const veru::YString& text) const;
    // How wide a line of text may be inside the balloon.
    int roomWidth() const;
    void setTextAlpha(int value);

    bool side;
    int boxX = 0;
    int boxY = 0;
    int textX = 0;
    int textY = 0;
    int viewWidth;
    int viewHeight;
    int state = STATE_IDLE;
    int textAlpha = 0;
    veru::platform::VideoDevice* device;
    // The text's font, made once and kept for every text of the talk: the
    // game's Japanese face, or the English one while the game speaks English.
    bool english;
    veru::dxt::FontSpec font;
    std::unique_ptr<veru::dxt::TextMeasurer> measurer;
    veru::YString shownText;
    std::unique_ptr<veru::dxt::material::Texture> textTexture;
    std::unique_ptr<veru::dxt::material::Texture> boxTexture;
};

}  // namespace ml::shooting::cmp
