#pragma once
// StageHeroine: a heroine of the game, as one row of data, end to end: her
// story (prologue talk, stage, closing talk and their scene numbers), her
// item in the title menu's choice, her number in the play status and in
// recordings, the autopilot's hint for her, and what her stage needs.
// Nothing outside the rows asks which heroine it is: a new heroine is a row
// of kHeroines (StageHeroine.cpp) and her content.
//
// The game has one shooting scene. Everything in which the heroines'
// stages differ is in her row: the character she flies, her kintuba gauge,
// the look of her pick-ups and of the info area, the caption of the scene's
// error box, and three small behaviours that only one of them has — Shiro's
// hit area follows the gauge, Hotaru has a sound of her own for a hit on an
// empty gauge, and Hotaru's shots are hidden while she is not in play.
// The phases, the script, the recording and replaying, the pause on focus
// loss and the scoring are written once, in ShootingScene; KShootingScene
// is that scene given Hotaru's row.
//
// A behaviour left null is one the heroine does not have. Each row's
// behaviours take the character her own makePlayer made, so a row may look
// at its own character's type.
//
// Thread: the rows are constant.

#include <memory>
#include <span>

namespace veru::sound {
class ISound;
}
namespace ml::shooting::object {
class ItemObject;
class PlayerCharacter;
}  // namespace ml::shooting::object
namespace ml::shooting::cmp {
class KintubaGauge;
}

namespace ml {

// The scene numbers of a heroine's story.
struct StoryScenes {
    int prologue;
    int stage;
    int closing;
};

// A named part of a heroine's stage that the practice menu offers: where it
// starts (a stage position, the numbers of her script's timeline), or her
// stage's boss met alone (the boss table's name).
struct StagePart {
    const char16_t* name;    // Japanese
    const char16_t* nameEn;  // English
    int from;                // when boss is null
    const char* boss;        // null for a stretch of the stage
};

struct StageHeroine {
    using PlayerMaker = std::unique_ptr<shooting::object::PlayerCharacter> (*)(int fieldWidth,
                                                                               int fieldHeight);
    using GaugeMaker = std::unique_ptr<shooting::cmp::KintubaGauge> (*)(int full);
    using ItemMaker = std::unique_ptr<shooting::object::ItemObject> (*)(int fieldWidth,
                                                                        int fieldHeight);

    // The play status's character number, also stored in recordings
    // (1 Shiro, 2 Hotaru).
    int number;
    // Her name in file names and settings keys ("shiro"), and as the game
    // shows it in Japanese and in English.
    const char* key;
    const char16_t* name;
    const char16_t* englishName;
    // Her story: the talks around her stage and the numbers its scenes are
    // registered under.
    const char16_t* prologueScript;
    const char16_t* stageScript;
    const char16_t* closingScript;
    StoryScenes scenes;
    // Her item in the title menu's choice of heroine: plain, highlighted.
    const char16_t* menuPicture;
    const char16_t* menuPictureChosen;
    // The autopilot's hint: the weapon it taps her slow button for until
    // she has it; 0 when her slow button slows her down.
    int autopilotWeapon;
    // The practice menu's parts of her stage, in stage order, her boss last.
    std::span<const StagePart> stageParts;
    // The caption of the scene's error box.
    const char16_t* errorCaption;
    const char16_t* infoArea;
    const char16_t* lifeIcon;
    const char16_t* stockIcon;
    PlayerMaker makePlayer;
    GaugeMaker makeGauge;
    // Her own look of the pick-ups the script places; null keeps the
    // script's own.
    ItemMaker chanceItem;
    ItemMaker kintubaItem;
    ItemMaker levelUpItem;
    // Called each frame the gauge drains.
    void (*followGauge)(shooting::object::PlayerCharacter& player,
                        const shooting::cmp::KintubaGauge& gauge);
    // Played instead of the hit sound when a hit (not the last life) finds
    // the gauge empty.
    veru::sound::ISound* (*emptyGaugeSound)(const shooting::object::PlayerCharacter& player);
    // Switches the drawing of her shots.
    void (*showShots)(shooting::object::PlayerCharacter& player, bool on);
};

// Every heroine, in the order the title menu offers them.
std::span<const StageHeroine> heroines();
const StageHeroine& shiroHeroine();
const StageHeroine& hotaruHeroine();
// The row of a character number; null for a number no heroine has.
const StageHeroine* findHeroine(int number);
// The row of a play status's character number; an unknown number is the
// first heroine's.
const StageHeroine& stageHeroine(int number);

}  // namespace ml
