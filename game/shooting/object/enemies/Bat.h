#pragma once
// Bat: what every one of the 24 bats shares — its row of numbers, pictures,
// hit points by difficulty, the patterns its row asks for, and the flight
// left (or right) at `speed` pixels per frame. The four behaviour groups
// derive from it and decide when to stop and fire (SequenceBat, VolleyBat,
// PeriodicBat, LaserBat); BatFactory makes the one its row names.
//
// Life: constructed STATE_STANDBY; loadTextures, loadSounds and setLevel (in
// any order, textures before the first fire); appear(800, y); updated by the
// scene until update() reports it gone with all its bullets.
// Ownership: owns its pictures (the extra laser or beam pictures too) and
// its patterns; the carried item belongs to the scene.
// Thread: main thread.
// Failure: loadTextures throws the texture's exceptions for a missing or
// broken picture.

#include <memory>
#include <vector>

#include "game/shooting/object/enemies/BatTable.h"
#include "game/shooting/object/enemies/EnemyObject.h"

namespace ml::shooting::object {

class Bat : public EnemyObject {
  public:
    Bat(int field_width, int field_height, int number);
    ~Bat() override;

    void reset() override;
    void loadTextures(VideoDevice* loader) override;
    void applyLevel(int level) override;

    int getNumber() const { return number; }
    const BatRow& getRow() const { return row; }
    bool isDone() const { return done; }
    int getVolleysFired() const { return volleys_fired; }
    int getSpeed() const { return speed; }
    int getBaseSpeed() const { return base_speed; }
    // 0 easy, 1 normal, 2 hard.
    int getDifficulty() const { return difficulty; }

    // The name the stage script uses for bat `number` (its row's); "" for a
    // number without a row.
    static const char* nameOf(int number);

  protected:
    // One frame of the shared flight: counters, animation every 10th frame.
    void countMove();
    void flyOn() { x -= speed; }
    // Every pattern fired at once, each from its own origin with its own aim.
    void fireAll(int target_x, int target_y);
    // Pattern `index` fired from (x, y) at the aim its row gives.
    void fireSkill(std::size_t index, int target_x, int target_y);
    // The row entry each skill was built from.
    const BatPattern& patternOf(std::size_t index) const { return *skill_patterns[index]; }
    // Index of the first skill built from a laser entry; skills.size() when none.
    std::size_t laserIndex() const;

    const int number;
    const BatRow& row;
    bool done = false;
    int volleys_fired = 0;
    int base_speed = 0;
    int speed = 0;
    int aim_x = -1;
    int aim_y = -1;
    int difficulty = 0;

  private:
    Texture* pictureFor(const BatPattern& pattern) const;
    void buildSkills();

    std::vector<const BatPattern*> skill_patterns;
    // Extra pictures of patterns with their own picture, by row entry.
    std::array<std::unique_ptr<Texture>, 3> pattern_textures;
};

}  // namespace ml::shooting::object
