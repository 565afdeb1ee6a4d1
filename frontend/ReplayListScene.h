#pragma once
// ReplayListScene: the kept plays (ReplayLibrary.h), newest first, over the
// title picture. Each row: when the play ended, the heroine, the difficulty,
// the score, cleared or not, and "practice" for a play that started
// part-way; a damaged file is a row of its own that names the file and,
// highlighted, the reason — it is never played. "No replays yet" when the
// folder holds none. Every word is drawn with the game's fonts in its
// language.
//
// Up and down move the highlight (once per press, wrapping), left and right
// a page; the shoot action's button watches the highlighted play in the
// game's window (ReplayWatch: pause, ×1/×2/×4, bomb to leave), which comes
// back to the list when the watching ends; the bomb action's button fades
// out to the title menu (exit back). The list is read in create: each entry
// into the scene sees the folder as it is.
//
// Ownership: owns what create loads until release, and the watching; the
// settings and status are borrowed and outlive it; sounds belong to the
// sound manager. Thread: main thread only.
// Failure: a missing picture shows its message (caption
// "ReplayListScene::create()") and create returns false. A file that cannot
// be read when chosen turns its row damaged.

#include <filesystem>
#include <memory>
#include <vector>

#include "engine/graphics/FadeLayer.h"
#include "engine/scene/Scene.h"
#include "game/ReplayLibrary.h"

namespace veru::dxt {
class DirectGraphics;
class PlayStatus;
}  // namespace veru::dxt
namespace veru::dxt::material {
class Surface;
class Texture;
}  // namespace veru::dxt::material
namespace veru::sound {
class ISound;
}

namespace ml {

class GameSetting;
class ReplayWatch;

class ReplayListScene : public veru::dxt::Scene {
  public:
    // Rows shown at once.
    static constexpr int kPageRows = 12;

    // `playerFolder` holds the "replays" folder (GameFolders.h).
    ReplayListScene(veru::dxt::SceneManager* manager, GameSetting* settings,
                    veru::dxt::PlayStatus* status, std::filesystem::path playerFolder);
    ~ReplayListScene() override;

    void reset() override;
    bool create(veru::platform::Window* window, veru::platform::VideoDevice* device) override;
    void update(veru::dxt::event::InputInterface* input) override;
    void draw(veru::platform::VideoDevice* device) override;
    void release() override;

    const std::vector<ReplayEntry>& getEntries() const { return entries; }
    // The highlighted row (0 when the list is empty).
    int getIndex() const { return index; }
    // The first row on the page.
    int getTop() const { return top; }
    bool isWatching() const;
    // The watching, while it runs (null otherwise).
    const ReplayWatch* getWatch() const;

  private:
    struct RowPictures;
    void choose();
    void move(int by);
    // Renders the visible rows and the bottom line again.
    void drawRows();

    GameSetting* settings;
    veru::dxt::PlayStatus* status;
    std::filesystem::path playerFolder;
    veru::platform::Window* window = nullptr;
    veru::platform::VideoDevice* device = nullptr;
    std::vector<ReplayEntry> entries;
    int index = 0;
    int top = 0;
    int lastButtons = 0;
    bool leaving = false;
    veru::dxt::FadeLayer fade;
    std::unique_ptr<ReplayWatch> watch;
    std::unique_ptr<veru::dxt::DirectGraphics> graphics;
    std::unique_ptr<veru::dxt::material::Surface> background;
    std::unique_ptr<veru::dxt::material::Texture> shade;  // the panel (black)
    std::unique_ptr<veru::dxt::material::Texture> light;  // the highlight (white)
    std::unique_ptr<veru::dxt::material::Texture> heading;
    std::unique_ptr<veru::dxt::material::Texture> bottomLine;
    std::vector<RowPictures> rows;  // the page's rows
    veru::sound::ISound* startSound = nullptr;
    veru::sound::ISound* cancelSound = nullptr;
};

}  // namespace ml
