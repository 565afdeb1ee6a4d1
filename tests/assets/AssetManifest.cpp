#include "tests/assets/AssetManifest.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace mirelune::assets {

bool ManifestEntry::isPicture() const {
    return kind == "surface" || kind == "texture32" || kind == "texture24" || kind == "picture";
}

std::filesystem::path assetsDir() {
    return MIRELUNE_ASSETS_DIR;
}
std::filesystem::path gameDir() {
    return MIRELUNE_GAME_DIR;
}
std::filesystem::path sourceDir() {
    return MIRELUNE_SOURCE_DIR;
}

namespace {

// "WxH" into two ints; false when it is not that.
bool parseSize(const std::string& text, int& w, int& h) {
    std::istringstream in(text);
    char x = 0;
    return static_cast<bool>(in >> w >> x >> h) && x == 'x' && in.peek() == EOF && w > 0 && h > 0;
}

bool parseField(ManifestEntry& entry, const std::string& field) {
    const auto eq = field.find('=');
    if (eq == std::string::npos)
        return false;
    const std::string key = field.substr(0, eq);
    const std::string value = field.substr(eq + 1);
    try {
        if (key == "size")
            return parseSize(value, entry.width, entry.height);
        if (key == "cell")
            return parseSize(value, entry.cellWidth, entry.cellHeight);
        if (key == "cells")
            return (entry.cells = std::stoi(value)) > 0;
        if (key == "loop")
            return (entry.loopSamples = std::stoll(value)) > 0;
    } catch (const std::exception&) {
        return false;
    }
    return false;
}

}  // namespace

std::vector<ManifestEntry> loadManifest() {
    std::vector<ManifestEntry> entries;
    std::ifstream in(assetsDir() / "manifest.txt");
    if (!in) {
        ADD_FAILURE() << "cannot open " << (assetsDir() / "manifest.txt");
        return entries;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#')
            continue;
        std::istringstream fields(line);
        ManifestEntry entry;
        entry.line = number;
        if (!(fields >> entry.path >> entry.kind >> entry.file >> entry.source)) {
            ADD_FAILURE() << "manifest line " << number << " has fewer than four fields";
            continue;
        }
        bool ok = true;
        for (std::string field; fields >> field;)
            ok = parseField(entry, field) && ok;
        if (!ok)
            ADD_FAILURE() << "manifest line " << number << " has a field it cannot read: " << line;
        entries.push_back(entry);
    }
    return entries;
}

std::optional<ManifestEntry> findEntry(const std::vector<ManifestEntry>& entries,
                                       const std::string& path) {
    for (const ManifestEntry& entry : entries)
        if (entry.path == path)
            return entry;
    return std::nullopt;
}

}  // namespace mirelune::assets
