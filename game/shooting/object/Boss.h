#pragma once
// Boss: the enemy that ends a stage. It slides in from the right edge
// (STATE_ENTRY), arrives (STATE_REENTRY), waits for the talk (STATE_READY),
// fights (STATE_ACTIVE) until its hit points fall to `pinch_ratio` of the
// full, fades out and back in at its post (STATE_CHANGE, cannot be hit),
// fights its second phase (STATE_PINCH), and at 0 hit points sinks in a
// chain of explosions (STATE_DYING) until the newest explosion has played
// (STATE_GONE). Its collision shape is a list of rectangles (hit parts)
// placed in picture pixels. Each boss class gives its pictures, sounds,
// numbers and the two phases' moves.
//
// Boss patterns are made per volley and deleted once all their attacks are
// gone; all of them vanish at the start of the second phase and at death.
//
// Ownership: owns every picture (texture, battle, change, damage and
// explosion pictures) and every pattern; sounds are borrowed from the sound
// manager, which must outlive the boss's last update.
// Thread: main thread.
// Failure: loadTextures throws the texture's exceptions; a sound that did not
// load is simply not played.

#include <initializer_list>
#include <memory>
#include <vector>

#include "engine/material/Texture.h"
#include "engine/sound/ISound.h"
#include "game/shooting/object/EnemyObject.h"

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
    Boss(int field_width, int field_height, int hp, double pinch_ratio);
    ~Boss() override;

    void reset() override {}
    bool isHit(const ShootingObject& other) const override;
    void damage(int amount) override;
    void kill() override;
    void draw(Graphics& graphics) override;
    void applyLevel(int level) override;
    void animate() override;
    void appear(int x, int y) override;
    bool update(int target_x, int target_y) override;

    virtual void enterStep();
    virtual void arrivedStep();
    virtual void changeStep();
    virtual void pinchMove(int target_x, int target_y) = 0;
    virtual void dyingStep();
    // A part anchored at (px, py) in picture pixels from the picture's top
    // left, with its sides relative to the anchor.
    virtual void addHitPart(int px, int py, int left, int top, int right, int bottom);
    // The fight begins (the scene calls it when the talk has ended).
    virtual void start();

    // Each explosion gets an offset (random in min..max on each axis) and its
    // own animation of `picture`; they advance one cell every `step` frames.
    void setupExplosions(VideoDevice* loader, const veru::YString& picture, int min, int max, int count,
                         int step);
    // `count` instances of the sound; a new explosion starts every `gap` frames.
    void setupExplosionSounds(SoundManger& manager, const veru::YString& name, int count,
                              int gap);
    // True, and the hit points set to exactly max_hp * pinch_ratio, once they
    // have fallen to that share.
    bool pinchTest();
    // pinchTest, and when it passes the phase change begins: STATE_CHANGE,
    // `sound` plays, both frame counters cleared. True when it began.
    bool changeIfPinched();

    int getMaxHp() const { return max_hp; }
    double getPinchRatio() const { return pinch_ratio; }
    int getFadeAlpha() const { return fade_alpha; }
    int getStopDistance() const { return stop_distance; }
    int getExplosionCount() const { return explosion_count; }
    int getExplosionFirst() const { return explosion_first; }
    const std::vector<HitPart>& getHitParts() const { return hit_parts; }
    const std::vector<ExplosionOffset>& getExplosionOffsets() const { return explosion_offsets; }
    int getDifficulty() const { return difficulty; }

    // A pattern fired from (from_x, from_y) at (target_x, target_y) (both
    // negative: no target) with `picture`, power 1, launched and kept until
    // all its attacks are gone.
    void firePattern(std::unique_ptr<ISkill> skill, Texture* picture, int from_x, int from_y,
                     int target_x, int target_y, int margin_x, int margin_y);
    // A number for the current difficulty.
    int byLevel(int easy, int normal, int hard) const;

    // Whether `skill` is still one of this boss's patterns (patterns are
    // deleted once all their attacks are gone).
    bool ownsSkill(const ISkill* skill) const;

  protected:
    // A hit part as anchor (px, py) in picture pixels and half its width and
    // height.
    struct PartSize {
        int px;
        int py;
        int half_width;
        int half_height;
    };
    // Pictures of a boss; a null entry is not loaded.
    struct Pictures {
        const char16_t* picture = nullptr;  // `texture`: the entry (and small) picture
        const char16_t* battle = nullptr;
        const char16_t* damage = nullptr;
        const char16_t* change = nullptr;
        const char16_t* bullets = nullptr;
        int explosion_spread = 30;  // explosions land up to this far from the centre
    };
    // Sounds of a boss besides the explosions; a null entry is not loaded.
    struct Voices {
        const char16_t* pinch = nullptr;  // `sound`: played at the phase change
        const char16_t* go = nullptr;     // `start_sound`
        const char16_t* dead = nullptr;   // `dead_sound`
    };

    // The pictures, and seven explosions of "img/arc_bomb.ytx" one cell
    // every 10 frames.
    void loadPictures(VideoDevice* loader, const Pictures& pictures);
    // Seven "sound/smash.wav" explosions one every 30 frames, and the voices.
    void loadVoices(SoundManger& manager, const Voices& voices);
    // The parts in order, replacing any added before.
    void setHitParts(std::initializer_list<PartSize> parts);

    // Up and down by `step` pixels a frame, turning one picture height from
    // the field's top and bottom edges.
    void bob(int step);
    // `value` moves by `step` between `low` and `high`, turning at each end.
    static void sweep(int& value, bool& rising, int low, int high, int step);
    // The phase change: fade out by `step`, jump to (to_x, to_y), fade in.
    void fadeMove(int to_x, int to_y, int step);
    // One frame of the death: the wreck moves by (dx, dy), explosions play.
    void explode(int dx, int dy);
    // The picture the hit parts are measured on.
    virtual const Texture* shapePicture() const;
    // The picture drawn in the current state.
    virtual Texture* currentPicture() const;

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
    std::vector<ExplosionOffset> explosion_offsets;
    std::vector<std::unique_ptr<Texture>> explosion_textures;
    std::vector<veru::sound::ISound*> explosion_sounds;
    std::vector<HitPart> hit_parts;
    int difficulty = 0;
    // Bobbing direction: true while moving down.
    bool moving_down = false;
    // The arrival step runs in the frame the entry ends (BigBoss).
    bool transforms_on_arrival = false;

  private:
    // Hit points the constructor gave, so that setLevel can be repeated.
    int base_hp = 0;
};

}  // namespace ml::shooting::object
