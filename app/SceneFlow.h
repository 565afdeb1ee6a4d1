#pragma once
// The game's scene flow, as two tables: the scenes the game registers under
// their numbers, and for each scene and each named exit it may leave by, the
// scene the exit leads to. A new scene is a row of each; a new heroine adds
// her own three scenes through her row of StageHeroine.
//
// Numbers: 1 logo, 2 title menu, 3 configuration, 10 the replay list,
// 11 practice; each heroine's prologue, stage and closing have the numbers of
// her row (Shiro's 4, 8, 5; Hotaru's 6, 9, 7). A flow row may name a part of a heroine's story
// instead of a number: leaving the menu that is the chosen heroine's (PlayStatus:: character),
// leaving one of her own scenes it is the same heroine's.
//
// Thread: the tables are constant.

#include <span>

#include "engine/scene/SceneRequest.h"

namespace ml {

constexpr int kSceneLogo = 1;
constexpr int kSceneMenu = 2;
constexpr int kSceneConfig = 3;
constexpr int kSceneReplays = 10;  // the list of kept plays
constexpr int kScenePractice = 11;

// The parts of a heroine's story; none for a scene of no heroine.
enum class StoryPart { none, prologue, stage, closing };

// A scene named by number, or by the part of the story it plays.
struct FlowPlace {
    int number = 0;  // when part is none
    StoryPart part = StoryPart::none;
};

struct FlowRow {
    FlowPlace from;
    veru::dxt::SceneExit exit;
    FlowPlace to;
    // Read `to` ahead while `from` is on screen (Scene::prepare). Not where
    // `from` is long and what `to` reads would be held all that time.
    bool readAhead = false;
};

std::span<const FlowRow> sceneFlow();

// Where scene `from` goes by `exit`; `character` is the heroine chosen in
// the menu. -1 when no row leads anywhere from there by that exit. The
// "again" exit needs no row: it leads back into `from` itself.
int sceneAfter(int from, veru::dxt::SceneExit exit, int character);

// The scene read ahead while scene `from` is on screen: where the first row
// from it marked readAhead leads; -1 for none.
int sceneReadAhead(int from, int character);

// The part of a heroine's story that scene `number` plays (none for the
// scenes of no heroine).
StoryPart storyPartOf(int number);

}  // namespace ml
