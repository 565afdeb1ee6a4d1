#include "tests/assets/PictureFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "tests/assets/AssetManifest.h"

namespace mirelune::assets {

using veru::platform::Image;

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Image decodeFile(const std::filesystem::path& path, std::uint32_t colorKey) {
    Image image;
    EXPECT_TRUE(veru::platform::decodeImage(readBytes(path), image, colorKey)) << path;
    return image;
}

Image committedPicture(const std::string& gamePath, std::uint32_t colorKey) {
    static const std::vector<ManifestEntry> entries = loadManifest();
    const auto entry = findEntry(entries, gamePath);
    EXPECT_TRUE(entry) << gamePath << " is not in the manifest";
    if (!entry)
        return {};
    return decodeFile(assetsDir() / entry->file, colorKey);
}

std::uint8_t alphaAt(const Image& image, int x, int y) {
    return static_cast<std::uint8_t>(image.pixels[static_cast<std::size_t>(y) * image.width + x] >>
                                     24);
}

std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

Rect inkBox(const Image& image) {
    Rect box{image.width, image.height, 0, 0};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (alphaAt(image, x, y) >= 96) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box;
}

}  // namespace mirelune::assets
