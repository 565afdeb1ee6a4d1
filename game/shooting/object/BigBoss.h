#pragma once
// BigBoss: a boss that arrives small and turns into its large picture before
// the fight: the small picture fades out, the large one rises from below the
// field and leaves at the top, then descends until its top edge is `descent`
// pixels down. It draws its one current picture in every state; its hit
// parts are measured on the large picture.
//
// Ownership, thread and failures: those of Boss.

#include "game/shooting/object/Boss.h"

namespace ml::shooting::object {

class BigBoss : public Boss {
  public:
    BigBoss(int field_width, int field_height, int hp, double pinch_ratio, int descent);
    ~BigBoss() override;

    void arrivedStep() override;
    void changeStep() override;

    int getDescent() const { return descent; }
    // The transformation's step: 0 fade, 1 pause, 2 rise, 3 descent.
    int getTransformStep() const { return move_frame; }
    bool isTransformed() const { return transformed; }

  protected:
    const Texture* shapePicture() const override;
    Texture* currentPicture() const override { return texture; }
    int bigHeight() const;

    int descent = 0;
    std::unique_ptr<Texture> big_texture;

  private:
    bool transformed = false;
    int big_height = 0;
};

}  // namespace ml::shooting::object
