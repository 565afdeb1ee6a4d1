#pragma once
// SentenceDisplay: the speaker's name and the sentence on the talk window,
// typed out one character at a time, then a blinking "▼" until the reader
// turns the page.
//
// Modes: 0 idle -> (setSentence) 1 typing -> (all visible) 2 waiting ->
// (advance or skip button) 3 fading out -> (7 frames) 0. update answers idle
// only in mode 0. Any button while typing shows the whole sentence at once.
// The advance button must be pressed anew for each page (holding it does not
// turn pages); the skip button turns them while held. Nothing is drawn
// unless the talk window is fully shown.
//
// Layout: Japanese stands in lines of 23 cells under the name line, each
// cell as wide as "＠" in the sentence's font; English is drawn in the
// proportional face and wrapped at word boundaries to the same width, its
// speaker's name without the 【】 brackets. The language is the game's
// current one when the display is made. See SentenceLayout for the wrapping.
//
// Ownership: owns its marker and sentence pictures; borrows the device and
// the talk area, which must outlive it.
// Thread: main thread only.

#include <map>
#include <memory>
#include <vector>

#include "engine/adventure/ADVComponent.h"
#include "engine/adventure/SentenceLayout.h"
#include "engine/core/Language.h"
#include "engine/core/YString.h"
#include "engine/graphics/FontSpec.h"

namespace veru::platform {
class VideoDevice;
class FontFace;
struct GlyphImage;
}  // namespace veru::platform
namespace veru::dxt::material {
class Texture;
}

namespace veru::adv {

class TalkArea;

class SentenceDisplay : public ADVComponent {
  public:
    static constexpr int kIdle = 0;
    static constexpr int kTyping = 1;
    static constexpr int kWaiting = 2;
    static constexpr int kFadingOut = 3;

    SentenceDisplay(platform::VideoDevice* device, TalkArea* talkArea);
    ~SentenceDisplay() override;

    void setAdvanceButton(int mask) { advanceButton = mask; }
    void setSkipButton(int mask) { skipButton = mask; }
    // Starts a sentence. A speaker "null" shows no name; `size` is the font
    // size (15, 23 or 36); `fadeIn` fades characters in, `instant` shows them
    // all at once.
    void setSentence(const YString& speaker, const YString& text, int size, bool fadeIn,
                     bool instant);
    // Typing speed in percent: 100 shows sentences at once; 90 (the default)
    // reveals one character a frame.
    void setSpeed(int percent);
    // Back to idle with nothing shown.
    void reset();

    bool update(int buttons) override;
    void draw(dxt::DirectGraphics& graphics) override;

    int getMode() const { return mode; }
    bool isMarkerOn() const { return markerOn; }
    const YString& getSpeaker() const { return speaker; }
    const std::vector<SentenceLayout::Glyph>& getGlyphs() const { return glyphs; }
    const std::vector<SentenceLayout::Line>& getLines() const { return lines; }
    // The composed name-and-sentence picture; null while idle.
    dxt::material::Texture* getPicture() const { return picture.get(); }

  private:
    bool lastGlyphVisible() const;
    platform::FontFace* faceOfSize(int size);
    // The rasterised glyph of `c` at `size`, made once per sentence display;
    // null when the font cannot draw it.
    const platform::GlyphImage* glyphOf(char32_t c, int size);
    int lineTop(int line) const;
    // The width of a grid cell (for English, the size the line width is counted in).
    int cellWidth();
    // Where a glyph's pen stands on its line, in pixels.
    int penOf(const SentenceLayout::Glyph& g, int cell) const;
    void rebuildPicture();

    Language language = currentLanguage();
    YString fontFace{u"ＭＳ ゴシック"};
    YString textFace;  // the face the name and the sentence are drawn in
    bool proportional = false;
    int fontSize = 23;
    bool waitLatch = true;
    bool markerOn = false;
    bool fadeIn = false;
    bool instant = false;
    int mode = kIdle;
    int step = 0;
    int delay = 0;
    int frameCounter = 0;
    int advanceButton = 16;
    int skipButton = 32;
    dxt::FontSpec font;
    YString speaker;
    YString text;
    int textSize = 23;
    platform::VideoDevice* device;
    std::unique_ptr<dxt::material::Texture> marker;
    std::unique_ptr<dxt::material::Texture> picture;
    TalkArea* talkArea;
    std::vector<SentenceLayout::Line> lines;
    std::vector<SentenceLayout::Glyph> glyphs;
    std::map<int, dxt::FontSpec> fonts;  // one per glyph size
    std::map<std::pair<int, char32_t>, std::unique_ptr<platform::GlyphImage>> glyphCache;
};

}  // namespace veru::adv
