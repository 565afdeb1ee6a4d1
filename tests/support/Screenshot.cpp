#include "tests/support/Screenshot.h"

#include <fstream>

#include "engine/platform/image/Image.h"
#include "engine/platform/video/VideoDevice.h"

namespace mirelune::test {

double Frame::brightness(int x, int y, int w, int h) const {
    double sum = 0;
    int count = 0;
    for (int j = y; j < y + h && j < height; ++j) {
        for (int i = x; i < x + w && i < width; ++i) {
            const std::uint32_t p = at(i, j);
            sum += (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF)) / 3.0;
            ++count;
        }
    }
    return count ? sum / count : 0.0;
}

Frame readFrame(veru::platform::VideoDevice* device) {
    Frame frame;
    if (device && !device->readPixels(frame.pixels, frame.width, frame.height))
        frame = Frame{};
    return frame;
}

bool savePng(const Frame& frame, const std::string& path) {
    veru::platform::Image image;
    image.width = frame.width;
    image.height = frame.height;
    image.pixels = frame.pixels;
    for (auto& p : image.pixels)
        p |= 0xFF000000u;
    std::vector<std::uint8_t> png;
    if (!veru::platform::encodePng(image, png, false))
        return false;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(out);
}

}  // namespace mirelune::test
