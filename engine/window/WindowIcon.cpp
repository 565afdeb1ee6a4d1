#include "engine/window/WindowIcon.h"

#include <cmath>

#include "engine/exceptions/Exception.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/YFile.h"
#include "engine/platform/image/Image.h"

namespace veru::awt {

WindowIcon drawnWindowIcon(int size) {
    WindowIcon icon;
    icon.width = icon.height = size;
    icon.pixels.assign(static_cast<std::size_t>(size) * size, 0u);
    // A pale crescent on a night-blue disc.
    double r = size * 0.5;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double dx = x + 0.5 - r;
            double dy = y + 0.5 - r;
            double d = std::sqrt(dx * dx + dy * dy);
            std::uint32_t p = 0;
            if (d < r - 0.5) {
                p = 0xFF1A2250u;
                double mx = dx + r * 0.35;
                double my = dy - r * 0.2;
                bool moon = d < r * 0.72;
                bool bite = std::sqrt(mx * mx + my * my) < r * 0.62;
                if (moon && !bite) {
                    p = 0xFFF4E9B0u;
                }
            }
            icon.pixels[static_cast<std::size_t>(y) * size + x] = p;
        }
    }
    return icon;
}

WindowIcon loadWindowIcon(const YString& name) {
    if (!name.empty()) {
        YString path = YString(u"img/") + name + u".png";
        if (io::YFile(path).exists) {
            try {
                std::vector<std::uint8_t> bytes = io::ByteFileReader(path).readRest();
                platform::Image image;
                if (platform::decodeImage(bytes, image) && image.width <= 256 &&
                    image.height <= 256) {
                    return WindowIcon{image.width, image.height, std::move(image.pixels)};
                }
            } catch (const excp::Exception&) {
                // an unreadable icon falls back to the drawn one
            }
        }
    }
    return drawnWindowIcon(32);
}

}  // namespace veru::awt
