#pragma once
// PlayerCharacter: what both player characters share. Once per frame the
// scene calls update with the pressed buttons: the character runs in from the
// left, flies and shoots while active, charges and fires its bomb, falls off
// the screen when hit and runs in again. Its hit rectangle, not its picture,
// is kept inside the field. A subclass chooses its pictures and sounds, its
// speeds, its volley (shoot) and its bomb burst (bombStep).
//
// Buttons: bit 1 up, 2 down, 4 left, 8 right; shooting and slow movement are
// the masks of the logical buttons 1 and 4 of the button map (the game's
// global map unless another is set).
//
// Ownership: owns its skills (and through them every bullet), its pictures;
// sounds are borrowed from the sound manager. Thread: main thread only.
// Failure: loading lets the loader's exceptions through (a missing picture
// is FileNotFoundException); a sound that is not loaded is not played.

#include <memory>

#include "engine/input/ButtonMap.h"
#include "game/shooting/object/HitRect.h"
#include "game/shooting/object/players/PlayerObject.h"

namespace ml::shooting::object {

class PlayerCharacter : public PlayerObject {
  public:
    ~PlayerCharacter() override;

    void reset() override {}
    // Only clears the frame counter: the scene plays the hit sounds.
    void kill() override;
    void draw(Graphics& graphics) override;
    // One frame; always false (the scene never deletes the player).
    bool update(int buttons) override;
    // The player's shots against the boss. The boss takes the damage; after
    // the first skill that hit, no further skill is tested, and once the
    // boss is down the remaining shots fly on.
    bool hitEnemies(EnemyObject* boss) override;
    // True when the boss is active (or in its pinch) and its hit shape
    // overlaps the player's hit rectangle (strictly), whatever the player's
    // own state. The boss's own collision test decides.
    bool touchesBoss(EnemyObject* boss);

    // The scene's calls.
    // First entry run from the left edge, at half alpha until ready.
    void enter();
    // After a lost life: a fresh entry run from x = -50.
    void reenter();
    // The scene has checked and paid the stock.
    void startBomb();
    void activate();
    // Pausing the game silences a bomb whose burst sound has started (from
    // the frame it started on) and keeps it silent until resumed, even if
    // the burst's frame comes while the game is paused; resuming plays it
    // again, looped, once the burst has begun.
    void pauseBombSound();
    void resumeBombSound();
    void playClearSound();
    void playGetSound();

    void setLastLife(bool on) { last_life = on; }
    bool isLastLife() const { return last_life; }
    void setButtonMap(const veru::dxt::event::ButtonMap* map) { buttonMap = map; }

    int getShotTimer() const { return shot_timer; }
    int getShotInterval() const { return shot_interval; }
    int getBombCount() const { return bomb_count; }
    int getRespawnAlpha() const { return respawn_alpha; }
    // Whether the hit marker is drawn: the slow button was held in the last
    // update while the character could be hit (flying, recovering, bombing).
    bool showsHitMarker() const { return hit_marker_shown; }
    float getScale() const { return scale; }
    Texture* getBombTexture() const { return bomb_texture.get(); }
    ISound* getBombSound() const { return bomb_sound; }

  protected:
    // bombSoundFrame: the bomb frame from which the burst's looped sound
    // plays (and pausing the game stops it).
    PlayerCharacter(int fieldWidth, int fieldHeight, int bombSoundFrame);

    // One volley of the current level (and weapon).
    virtual void shoot() = 0;
    // One frame of the bomb's burst; true when the bomb is over.
    virtual bool bombStep() = 0;
    // Sounds of the bomb at a frame of its counter.
    virtual void bombSounds(int counter) = 0;
    // Starts the burst's looped sound, unless the game is paused.
    void startBurstSound();
    // Pixels per pressed direction while active or recovering.
    virtual int activeSpeed(int buttons) = 0;
    // Pixels per pressed direction while the bomb runs.
    virtual int bombSpeed() const = 0;
    // A chance to look at the buttons every active frame before the shot
    // timer runs (Vovizovar changes its weapon here).
    virtual void beforeShot(int /*buttons*/) {}
    // Whether the skills are drawn this frame.
    virtual bool drawsSkills() const { return true; }
    // Where the charge picture sits relative to the centre.
    virtual int chargeOffsetX() const { return 0; }

    bool shotHeld(int buttons) const;
    bool slowHeld(int buttons) const;
    // Fires `skill` from (x, y) with no target, sets every attack's power,
    // launches it and keeps it.
    void fireSkill(std::unique_ptr<ISkill> skill, Texture* picture, int fromX, int fromY,
                   int marginX, int marginY, int power);
    // The level as an index 0-4 (levels outside the five codes are taken as
    // the nearest of them).
    int levelIndex() const;
    // The charge picture both characters share: black keyed out, alpha 100.
    void loadBombTexture(VideoDevice* device);
    // The hit marker, stretched over the hit rectangle while the slow button
    // is held; loaded by a character whose slow button slows it (without it,
    // nothing is drawn).
    void loadHitMarker(VideoDevice* device);
    static ISound* fetchSound(SoundManger& manager, const char16_t* path);
    // The sounds every character has, by file name.
    struct SoundNames {
        const char16_t* hit;  // `sound`
        const char16_t* start;
        const char16_t* dead;
        const char16_t* bullet;
        const char16_t* get;     // a kintuba used
        const char16_t* clear;   // the stage cleared
        const char16_t* charge;  // the bomb starts charging
        const char16_t* bomb;    // the burst, looped
    };
    void loadCommonSounds(SoundManger& manager, const SoundNames& names);

    bool last_life = false;
    int respawn_alpha = 100;
    int shot_interval = 5;
    int shot_timer = -1;
    int bomb_count = 0;
    float scale = 1.0f;
    std::unique_ptr<Texture> bomb_texture;
    std::unique_ptr<Texture> hit_marker;
    ISound* bullet_sound = nullptr;
    ISound* get_sound = nullptr;
    ISound* clear_sound = nullptr;
    ISound* charge_sound = nullptr;
    ISound* bomb_sound = nullptr;

  private:
    void updateEntry();
    void updateReentry();
    void updateBomb(int buttons);
    void updateActive(int buttons);
    void updateFall();
    void moveBy(int buttons, int speed);
    void keepInField();
    bool bombSoundStarted() const;

    int bombSoundFrame;
    bool bomb_sound_held = false;   // paused: the burst's sound must not start
    bool hit_marker_shown = false;  // drawing only: play never reads it
    const veru::dxt::event::ButtonMap* buttonMap;
};

}  // namespace ml::shooting::object
