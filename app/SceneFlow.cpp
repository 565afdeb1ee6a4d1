#include "app/SceneFlow.h"

#include "game/StageHeroine.h"

namespace ml {

namespace {

using veru::dxt::SceneExit;

constexpr FlowPlace scene(int number) {
    return FlowPlace{number, StoryPart::none};
}

constexpr FlowPlace story(StoryPart part) {
    return FlowPlace{0, part};
}

// The last column: read the next scene ahead. The title menu reads the
// prologue, the likeliest choice. The stage does not read its closing talk
// from its start, which would hold the talk's pictures through the whole
// play: once the play is over it lets go of its field and says which exit it
// expects (Scene::expectExit), and the talk is read while the results card shows.
constexpr bool ahead = true;
constexpr FlowRow kFlow[] = {
    {scene(kSceneLogo), SceneExit::next, scene(kSceneMenu), ahead},
    {scene(kSceneMenu), SceneExit::story, story(StoryPart::prologue), ahead},
    {scene(kSceneMenu), SceneExit::configure, scene(kSceneConfig)},
    {scene(kSceneConfig), SceneExit::back, scene(kSceneMenu)},
    {scene(kSceneMenu), SceneExit::replays, scene(kSceneReplays)},
    {scene(kSceneReplays), SceneExit::back, scene(kSceneMenu)},
    {story(StoryPart::prologue), SceneExit::next, story(StoryPart::stage), ahead},
    {story(StoryPart::stage), SceneExit::next, story(StoryPart::closing)},
    {story(StoryPart::stage), SceneExit::title, scene(kSceneMenu)},
    {story(StoryPart::closing), SceneExit::next, scene(kSceneLogo), ahead},
    // Practice plays the chosen heroine's stage, and comes back when it ends.
    {scene(kSceneMenu), SceneExit::practice, scene(kScenePractice)},
    {scene(kScenePractice), SceneExit::next, story(StoryPart::stage), ahead},
    {scene(kScenePractice), SceneExit::back, scene(kSceneMenu)},
    {story(StoryPart::stage), SceneExit::back, scene(kScenePractice)},
};

int numberOf(const StageHeroine& heroine, StoryPart part) {
    switch (part) {
        case StoryPart::prologue:
            return heroine.scenes.prologue;
        case StoryPart::stage:
            return heroine.scenes.stage;
        case StoryPart::closing:
            return heroine.scenes.closing;
        case StoryPart::none:
            break;
    }
    return -1;
}

// The heroine whose story scene `number` plays; null for any other scene.
const StageHeroine* heroineOf(int number, StoryPart& part) {
    for (const StageHeroine& heroine : heroines()) {
        for (StoryPart each : {StoryPart::prologue, StoryPart::stage, StoryPart::closing}) {
            if (numberOf(heroine, each) == number) {
                part = each;
                return &heroine;
            }
        }
    }
    part = StoryPart::none;
    return nullptr;
}

}  // namespace

std::span<const FlowRow> sceneFlow() {
    return kFlow;
}

StoryPart storyPartOf(int number) {
    StoryPart part;
    heroineOf(number, part);
    return part;
}

namespace {

// The first row from scene `from` that `wanted` accepts, and where it leads
// for `character`; -1 for none.
template <typename Wanted>
int firstRowTarget(int from, int character, Wanted wanted) {
    StoryPart part;
    const StageHeroine* own = heroineOf(from, part);
    for (const FlowRow& row : kFlow) {
        const bool matches = wanted(row) && (row.from.part == StoryPart::none
                                                 ? own == nullptr && row.from.number == from
                                                 : row.from.part == part);
        if (!matches)
            continue;
        if (row.to.part == StoryPart::none)
            return row.to.number;
        return numberOf(own ? *own : stageHeroine(character), row.to.part);
    }
    return -1;
}

}  // namespace

int sceneAfter(int from, SceneExit exit, int character) {
    if (exit == SceneExit::again)
        return from;  // every scene may be entered again, wherever it is
    return firstRowTarget(from, character, [exit](const FlowRow& row) { return row.exit == exit; });
}

int sceneReadAhead(int from, int character) {
    return firstRowTarget(from, character, [](const FlowRow& row) { return row.readAhead; });
}

}  // namespace ml
