#pragma once
// ResultsCard: the card over the black screen when a play of a stage is
// over — cleared, or ended by "no" in the continue dialog. It shows the
// score, the record of the heroine and difficulty ("new record" when this
// play set it), the lives lost, bombs, kintsubas and continues used and the
// time; then asks whether to keep the play's replay.
//
// Steps: the figures (confirm goes on) -> "save the replay?" with yes and no
// (up and down or left and right choose, confirm decides, the special button
// says no; it opens on no) -> after yes, where the replay went (confirm goes
// on) -> done. A card given no keeper skips the question. A button held as
// the card opens counts only once released, so the press that ended the
// play never skips it.
//
// The words are drawn with the game's fonts in the language the game
// speaks; yes and no are the game's own word pictures ("img/yes_n.ytx" ...),
// all over the card's backdrop ("img/results.ysf"), which is read when a
// card first opens (never while the stage plays) and let go when it is done.
//
// Ownership: owns its pictures from load until it is destroyed; borrows the
// device given to load, which outlives it.
// Thread: main thread only.
// Failure: load throws what Texture::load throws for a missing picture; a
// backdrop that cannot be read shows the error box and the card goes on
// over the black screen (a play's end is never lost to a picture). A
// keeper that throws (the folder cannot be written) shows the error box with
// its message, which names the file, and the card goes on as after no. Text
// that cannot be drawn (no font) is left out.

#include <functional>
#include <memory>
#include <vector>

#include "engine/core/YString.h"
#include "engine/input/HeldButtonLatch.h"
#include "game/StageTally.h"

namespace veru::platform {
class VideoDevice;
}
namespace veru::dxt {
class DirectGraphics;
}
namespace veru::dxt::material {
class Surface;
class Texture;
}  // namespace veru::dxt::material

namespace ml {

// What the card shows.
struct StageResults {
    bool cleared = false;
    int score = 0;
    int record = 0;          // the record of this heroine and difficulty, after the play
    bool newRecord = false;  // this play set it
    StageTally tally;
};

class ResultsCard {
  public:
    // Keeps the play's replay and says where it went; throws a veru
    // Exception naming the file when it cannot.
    using Keeper = std::function<veru::YString()>;
    enum class Step { closed, figures, question, kept, done };

    explicit ResultsCard(int screenWidth);
    ~ResultsCard();
    ResultsCard(const ResultsCard&) = delete;
    ResultsCard& operator=(const ResultsCard&) = delete;

    // The yes and no pictures.
    void load(veru::platform::VideoDevice* device);
    // Shows `results`; `keep` null: nothing to keep, no question.
    void open(const StageResults& results, Keeper keep);
    // One frame of the buttons; true once the card is done.
    bool update(int buttons);
    void draw(veru::dxt::DirectGraphics& graphics);

    Step getStep() const { return step; }
    bool isOpen() const { return step != Step::closed; }
    // The question's choice: true on yes.
    bool yesChosen() const { return yes; }
    // Every line of the figures as shown, label and value apart by a tab.
    const veru::YString& getText() const { return text; }
    // Where the replay was kept; empty before (or when it could not be).
    const veru::YString& getKeptPath() const { return keptPath; }

    // `frames` at 60 a second as minutes and seconds, "4:05".
    static veru::YString timeOf(int frames);

  private:
    struct Line;
    void addLine(const veru::YString& label, const veru::YString& value, std::uint32_t colour);
    void answer();
    std::unique_ptr<veru::dxt::material::Texture> textPicture(const veru::YString& words, int size,
                                                              std::uint32_t colour);

    int screenWidth;
    veru::platform::VideoDevice* device = nullptr;
    Step step = Step::closed;
    Keeper keeper;
    bool yes = false;
    bool confirmHeld = false;
    int lastMoves = 0;
    veru::dxt::event::HeldButtonLatch latch;
    veru::YString text;
    veru::YString keptPath;
    std::unique_ptr<veru::dxt::material::Texture> title;
    std::vector<Line> lines;
    std::unique_ptr<veru::dxt::material::Texture> question;
    std::unique_ptr<veru::dxt::material::Texture> keptText;
    std::unique_ptr<veru::dxt::material::Texture> yesPictures[2];  // normal, selected
    std::unique_ptr<veru::dxt::material::Texture> noPictures[2];
    std::unique_ptr<veru::dxt::material::Surface> backdrop;
};

}  // namespace ml
