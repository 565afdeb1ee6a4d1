#pragma once
// CharaObject: a character — the player, an enemy or a boss — that owns its
// bullet patterns (skills) and the pictures it gives them.
//
// Ownership: owns its skills (and through them their attacks), the
// explosion and bullet textures and, through ShootingObject, its own
// texture. Sounds are borrowed from the sound manager.
// Thread: main thread only.
// Failure: loadTextures lets the loader's exceptions through.

#include <memory>
#include <vector>

#include "game/shooting/object/ShootingObject.h"
#include "game/shooting/object/patterns/ISkill.h"

namespace ml::shooting::object {

class CharaObject : public ShootingObject {
  public:
    using Skills = std::vector<std::unique_ptr<ISkill>>;

    CharaObject(int kind, int field_width, int field_height);
    ~CharaObject() override;

    // Plays `sound` once and clears the frame counter.
    void kill() override;
    // The texture's current cell centred at (x, y).
    void draw(Graphics& graphics) override;

    // Every skill's update in list order; true when every skill is all gone
    // (true for none).
    virtual bool updateSkills(int target_x, int target_y);
    virtual void drawSkills(Graphics& graphics);
    virtual void loadSounds(SoundManger& manager) = 0;
    // Only a hittable `other`: asks each skill in order and stops at the
    // first that hit; true when one did.
    virtual bool hitBySkills(ShootingObject& other);
    virtual void loadTextures(VideoDevice* device) = 0;

    using ShootingObject::setHitAreaFromTexture;
    void setHitAreaFromTexture(int margin) { setHitAreaFromTexture(margin, margin); }

    // One level up (down) among the five levels; false, nothing changed, at
    // the top (bottom) or for a level that is not one of the five.
    bool levelUp();
    bool levelDown();

    // Each skill updated without a target; those all gone are deleted and
    // dropped, the next one taking the index (the player's volleys).
    void updateFreeSkills();
    void addSkill(std::unique_ptr<ISkill> skill) { skills.push_back(std::move(skill)); }
    void clearSkills() { skills.clear(); }
    const Skills& getSkills() const { return skills; }

    void loadStartSound(SoundManger& manager, const veru::YString& name);
    void loadDeadSound(SoundManger& manager, const veru::YString& name);
    ISound* getStartSound() const { return start_sound; }
    ISound* getDeadSound() const { return dead_sound; }
    Texture* getExplosionTexture() const { return explosion_texture.get(); }
    Texture* getBulletTexture() const { return bullet_texture.get(); }
    void setExplosionTexture(std::unique_ptr<Texture> picture);
    void setBulletTexture(std::unique_ptr<Texture> picture);

  protected:
    ISound* start_sound = nullptr;
    ISound* dead_sound = nullptr;
    std::unique_ptr<Texture> explosion_texture;
    std::unique_ptr<Texture> bullet_texture;
    // Declared after the textures: skills are destroyed first, while the
    // bullet picture their attacks borrow still exists.
    Skills skills;
};

}  // namespace ml::shooting::object
