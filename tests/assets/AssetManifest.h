#pragma once
// The game's data manifest (assets/manifest.txt) as the content tests read
// it: one entry per file the game loads, with its kind, the committed file it
// is made from and, for pictures and music, the sizes the code expects.
//
// Failure: loadManifest records a test failure for a line it cannot read and
// leaves that line out.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mirelune::assets {

struct ManifestEntry {
    std::string path;  // in the game folder, e.g. "img/logo.ysf"
    std::string kind;  // surface, texture32, texture24, picture, wave, music, script
    std::string file;  // committed file, relative to assets/
    std::string source;
    int width = 0, height = 0;          // pictures
    int cellWidth = 0, cellHeight = 0;  // pictures
    int cells = 0;                      // pictures
    long long loopSamples = 0;          // music
    int line = 0;

    bool isPicture() const;
};

std::filesystem::path assetsDir();
std::filesystem::path gameDir();
std::filesystem::path sourceDir();

std::vector<ManifestEntry> loadManifest();
// The entry for a game path, when the manifest lists it.
std::optional<ManifestEntry> findEntry(const std::vector<ManifestEntry>& entries,
                                       const std::string& path);

}  // namespace mirelune::assets
