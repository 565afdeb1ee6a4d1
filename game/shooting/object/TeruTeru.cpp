#include "game/shooting/object/TeruTeru.h"

#include "engine/sound/SoundManger.h"
#include "game/shooting/object/BossAttacks.h"

namespace ml::shooting::object {

namespace {

constexpr int period = 10;

}  // namespace

TeruTeru::TeruTeru(int field_width, int field_height)
    : BigBoss(field_width, field_height, 1000, 0.34, 100) {
    setLevel(LEVEL_1);
}

TeruTeru::~TeruTeru() = default;

void TeruTeru::loadSounds(SoundManger& manager) {
    loadVoices(manager, {});
    bullet_sound = manager.getSound(veru::YString(u"sound/bullet.wav"));
}

void TeruTeru::loadTextures(VideoDevice* loader) {
    loadPictures(loader, {.picture = u"img/boss_sample.ytx",
                          .damage = u"img/cb_sam_damage.ytx",
                          .bullets = u"img/arc_red_bullet.ytx",
                          .explosion_spread = 100});
    big_texture = loadPicture(loader, u"img/cb_sam.ytx");
    setHitParts({{223, 132, 76, 66}, {243, 300, 65, 101}, {143, 129, 13, 37}, {189, 324, 15, 85},
                 {169, 365, 6, 64}, {155, 410, 5, 31}, {359, 307, 53, 111}});
}

void TeruTeru::move(int /*target_x*/, int /*target_y*/) {
    countFrame();
    if (changeIfPinched()) {
        return;
    }
    if (frame % period == 0) {
        fireSampleShot(*this, bullet_texture.get());
        playSound(bullet_sound);
    }
    bob(5);
}

void TeruTeru::pinchMove(int /*target_x*/, int /*target_y*/) {
    countFrame();
    if (frame % period == 0) {
        fireSampleRing(*this, bullet_texture.get(), move_frame);
        playSound(bullet_sound);
        sweep(move_frame, angle_rising, 0, 90, 5);
    }
}

}  // namespace ml::shooting::object
