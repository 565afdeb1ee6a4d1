#pragma once
// Reading the frame back in tests: pixels, and PNG files to look at.

#include <cstdint>
#include <string>
#include <vector>

namespace veru::platform {
class VideoDevice;
}

namespace mirelune::test {

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // ARGB

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    // Mean of (r + g + b) / 3 over a rectangle, 0-255.
    double brightness(int x, int y, int w, int h) const;
};

// The back buffer as it is now; empty when it cannot be read.
Frame readFrame(veru::platform::VideoDevice* device);
// Writes the frame as a PNG; false when it cannot.
bool savePng(const Frame& frame, const std::string& path);

}  // namespace mirelune::test
