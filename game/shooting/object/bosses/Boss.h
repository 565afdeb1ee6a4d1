#pragma once
// Boss: the enemy that ends a stage. It slides in from the right edge
// (STATE_ENTRY), arrives (STATE_REENTRY), waits for the talk (STATE_READY),
// fights (STATE_ACTIVE) until its hit points fall to `pinch_ratio` of the
// full, fades out and back in at its post (STATE_CHANGE, cannot be hit),
// fights its second phase (STATE_PINCH), and at 0 hit points sinks in a
// chain of explosions (STATE_DYING) until the newest explosion has played
// (STATE_GONE). Its collision shape is a list of rectangles (hit parts)
// placed in picture pixels. A big boss (one with a big picture) arrives
// small and turns into its big picture before the talk.
//
// Every number, picture and sound of a boss is its row of the boss table
// (BossTable.h); this class runs the frame all bosses share from the row,
// and each boss class gives only its firing in the two phases.
//
// Boss patterns are made per volley and deleted once all their attacks are
// gone; all of them vanish at the start of the second phase and at death.
//
// Ownership: owns every picture (texture, battle, change, damage, big,
// attack and explosion pictures) and every pattern; borrows its row (a
// constant of the table); sounds are borrowed from the sound manager, which
// must outlive the boss's last update.
// Thread: main thread.
// Failure: loadTextures throws the texture's exceptions; a sound that did not
// load is simply not played.

#include <cstddef>
#include <memory>
#include <vector>

#include "engine/material/Texture.h"
#include "engine/sound/ISound.h"
#include "game/shooting/object/Throttle.h"
#include "game/shooting/object/bosses/BossTable.h"
#include "game/shooting/object/enemies/EnemyObject.h"

namespace ml::shooting::object {

// One rectangle of a boss's shape: its anchor relative to the boss's centre
// and its sides relative to the anchor.
struct HitPart {
    int part_x = 0;
    int part_y = 0;
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

struct ExplosionOffset {
    int x = 0;
    int y = 0;
};

class Boss : public EnemyObject {
  public:
    // `row` is a constant of the boss table and outlives the boss.
    Boss(int field_width, int field_height, const BossRow& row);
    ~Boss() override;

    void reset() override {}
    bool isHit(const ShootingObject& other) const override;
    void damage(int amount) override;
    void kill() override;
    void draw(Graphics& graphics) override;
    // The row's pictures, explosions and hit parts.
    void loadTextures(VideoDevice* loader) override;
    // Seven explosion sounds one every 30 frames, the voices and the sounds.
    void loadSounds(SoundManger& manager) override;
    // The row's hit points and the current phase's period for the difficulty.
    void applyLevel(int level) override;
    void animate() override;
    void appear(int x, int y) override;
    bool update(int target_x, int target_y) override;
    // The first phase: the pinch test, the animation, the firing, the bobbing.
    void move(int target_x, int target_y) override;

    virtual void enterStep();
    // A small boss is ready; a big one transforms first.
    virtual void arrivedStep();
    virtual void changeStep();
    // The second phase: the animation and the firing.
    virtual void pinchMove(int target_x, int target_y);
    virtual void dyingStep();
    // A part anchored at (px, py) in picture pixels from the picture's top
    // left, with its sides relative to the anchor.
    virtual void addHitPart(int px, int py, int left, int top, int right, int bottom);
    // The fight begins (the scene calls it when the talk has ended).
    virtual void start();

    // Each explosion gets an offset (random in min..max on each axis) and its
    // own animation of `picture`; they advance one cell every `step` frames.
    void setupExplosions(VideoDevice* loader, const veru::YString& picture, int min, int max,
                         int count, int step);
    // `count` instances of the sound; a new explosion starts every `gap` frames.
    void setupExplosionSounds(SoundManger& manager, const veru::YString& name, int count, int gap);
    // True, and the hit points set to exactly max_hp * pinch_ratio, once they
    // have fallen to that share.
    bool pinchTest();
    // pinchTest, and when it passes the phase change begins: STATE_CHANGE,
    // `sound` plays, both frame counters cleared, the second phase's period.
    // True when it began.
    bool changeIfPinched();

    const BossRow& getRow() const { return *row; }
    int getMaxHp() const { return max_hp; }
    double getPinchRatio() const { return pinch_ratio; }
    int getFadeAlpha() const { return fade_alpha; }
    int getStopDistance() const { return stop_distance; }
    int getExplosionCount() const { return explosion_count; }
    int getExplosionFirst() const { return explosion_first; }
    const std::vector<HitPart>& getHitParts() const { return hit_parts; }
    const std::vector<ExplosionOffset>& getExplosionOffsets() const { return explosion_offsets; }
    int getDifficulty() const { return difficulty; }
    // Frames between volleys in the current phase.
    int getFirePeriod() const { return fire_period; }
    // Calls of the occasional attack since it last joined a volley.
    int getExtraCount() const { return extra.getCount(); }
    // The blade start the next blade takes.
    std::size_t getBladeIndex() const { return blade_index; }

    bool isBig() const { return row->big != nullptr; }
    int getDescent() const { return row->descent; }
    // The transformation's step: 0 fade, 1 pause, 2 rise, 3 descent.
    int getTransformStep() const { return move_frame; }
    bool isTransformed() const { return transformed; }
    // A big boss keeps its body (the box round its hit parts) wholly inside
    // the field: `x` or `y` for its centre moved the least that does so (a
    // body too tall for the field is centred). A small boss takes them as
    // they are.
    int keepBodyX(int x) const;
    int keepBodyY(int y) const;
    // The big boss's settled place, where its transformation ends: its top
    // `descent` down, kept inside as above.
    int settledY() const;

    // A pattern fired from (from_x, from_y) at (target_x, target_y) (both
    // negative: no target) with `picture`, power 1, launched and kept until
    // all its attacks are gone.
    void firePattern(std::unique_ptr<ISkill> skill, Texture* picture, int from_x, int from_y,
                     int target_x, int target_y, int margin_x, int margin_y);
    // A number for the current difficulty.
    int byLevel(int easy, int normal, int hard) const;
    int byLevel(const ByLevel& value) const { return value.at(difficulty); }

    // Whether `skill` is still one of this boss's patterns (patterns are
    // deleted once all their attacks are gone).
    bool ownsSkill(const ISkill* skill) const;

  protected:
    // The boss's own firing in each phase, called once a frame after the
    // shared steps.
    virtual void firstPhase(int target_x, int target_y) = 0;
    virtual void secondPhase(int target_x, int target_y) = 0;
    // Called in the frame the phase change begins.
    virtual void onPhaseChange() {}

    // True on frames that fire a volley of the current phase.
    bool onBeat() const { return fire_period > 0 && frame % fire_period == 0; }
    // True every `extra_every`-th call: the occasional attack joins.
    bool extraTurn() { return extra.pass(); }

    // Attacks drawn from the row. The ring (`ring_texture`, or the bullets
    // when the row has none) starts at the given point or the centre and is
    // silent; the beams leave the centre with the beam sound; the blade
    // takes the next start of the row's table with the blade sound; the fan
    // leaves the top-left corner of the hit rectangle with the bullet sound.
    void fireRing(int first_angle, int from_x, int from_y);
    void fireRing(int first_angle) { fireRing(first_angle, x, y); }
    void fireBeams(int target_x, int target_y);
    void fireBlade();
    void fireCornerFan();

    // Up and down by `step` pixels a frame, turning one picture height from
    // the field's top and bottom edges; a big boss turns where its body
    // meets an edge, and holds still when it has no room.
    void bob(int step);
    // `value` moves by `step` between `low` and `high`, turning at each end.
    static void sweep(int& value, bool& rising, int low, int high, int step);
    // The phase change: fade out by `step`, jump to (to_x, to_y), fade in.
    void fadeMove(int to_x, int to_y, int step);
    // One frame of the death: the wreck moves by (dx, dy), explosions play.
    void explode(int dx, int dy);
    // The big picture's height (0 for a small boss).
    int bigHeight() const;

    const BossRow* row;
    bool fading_in = false;
    int max_hp = 0;
    double pinch_ratio = 0.0;
    int fade_alpha = 255;
    int stop_distance = 100;
    int explosion_step = 0;
    int explosion_gap = 0;
    int explosion_first = 0;
    int explosion_count = 0;
    int explosion_sound_count = 0;
    std::unique_ptr<Texture> battle_texture;
    std::unique_ptr<Texture> change_texture;
    std::unique_ptr<Texture> big_texture;
    std::unique_ptr<Texture> blade_texture;
    std::unique_ptr<Texture> beam_texture;
    std::unique_ptr<Texture> laser_texture;
    std::unique_ptr<Texture> ring_texture;
    std::unique_ptr<Texture> flare_texture;
    std::unique_ptr<Texture> pan_texture;
    std::vector<ExplosionOffset> explosion_offsets;
    std::vector<std::unique_ptr<Texture>> explosion_textures;
    std::vector<veru::sound::ISound*> explosion_sounds;
    std::vector<HitPart> hit_parts;
    ISound* bullet_sound = nullptr;
    ISound* blade_sound = nullptr;
    ISound* beam_sound = nullptr;
    ISound* laser_sound = nullptr;
    ISound* swing_sound = nullptr;
    ISound* big_swing_sound = nullptr;
    int difficulty = 0;
    int fire_period = 0;
    // Bobbing direction: true while moving down.
    bool moving_down = false;

  private:
    // The picture the hit parts are measured on.
    const Texture* shapePicture() const;
    // The picture drawn in the current state.
    Texture* currentPicture() const;
    // One frame of the big boss's transformation.
    void transformStep();

    Throttle extra;
    std::size_t blade_index = 0;
    bool transformed = false;
    int big_height = 0;
};

}  // namespace ml::shooting::object
