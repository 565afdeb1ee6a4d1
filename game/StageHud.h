#pragma once
// StageHud: the strip under the field and the counters on it — the
// heroine's gauge, lives and stock rows, the score and hi-score, and the
// boss's hit-point gauge. The score shown is the stage's score: it counts
// up towards its target, which the scoring adds to.
//
// Ownership: owns its pictures from load until release.
// Thread: main thread only.
// Failure: load throws the picture's exception for a missing or broken
// picture.

#include <memory>

namespace veru::dxt {
class DirectGraphics;
class PlayStatus;
}  // namespace veru::dxt
namespace veru::dxt::material {
class Texture;
}  // namespace veru::dxt::material
namespace veru::platform {
class VideoDevice;
}  // namespace veru::platform
namespace ml::shooting::cmp {
class BossGauge;
class IconCounter;
class KintubaGauge;
class ScoreDisplay;
}  // namespace ml::shooting::cmp

namespace ml {

struct StageHeroine;

class StageHud {
  public:
    StageHud();
    ~StageHud();

    // The strip and every counter but the boss gauge, for a window of
    // `width` x `height` whose field ends at its HUD strip.
    void load(veru::platform::VideoDevice* device, const StageHeroine& heroine,
              const veru::dxt::PlayStatus& status, int lastScore, int hiScore, int width,
              int height);
    // The boss gauge, for a boss of `bossHp` (0 without a boss).
    void loadBossGauge(veru::platform::VideoDevice* device, int bossHp, int height);

    void release();

    // One frame of the score counters; the hi-score follows a higher score.
    void updateScores();

    // The strip, the gauge, the rows and the scores.
    void draw(veru::dxt::DirectGraphics& g, const veru::dxt::PlayStatus& status) const;
    void drawBossGauge(veru::dxt::DirectGraphics& g) const;

    // The score's and hi-score's targets; 0 before load.
    int scoreTarget() const;
    int hiScoreTarget() const;

    shooting::cmp::KintubaGauge& gauge() const { return *kintubaGauge; }
    shooting::cmp::ScoreDisplay& score() const { return *scoreDisplay; }
    shooting::cmp::ScoreDisplay& hiScore() const { return *hiScoreDisplay; }
    shooting::cmp::BossGauge& bossGauge() const { return *bossHpGauge; }

  private:
    std::unique_ptr<veru::dxt::material::Texture> infoArea;
    int infoAreaX = 0;
    int infoAreaY = 0;
    std::unique_ptr<shooting::cmp::KintubaGauge> kintubaGauge;
    std::unique_ptr<shooting::cmp::IconCounter> livesCounter;
    std::unique_ptr<shooting::cmp::IconCounter> stockCounter;
    std::unique_ptr<shooting::cmp::ScoreDisplay> hiScoreDisplay;
    std::unique_ptr<shooting::cmp::ScoreDisplay> scoreDisplay;
    std::unique_ptr<shooting::cmp::BossGauge> bossHpGauge;
};

}  // namespace ml
