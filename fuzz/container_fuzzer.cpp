// The .ytx/.ysf loader: bytes → file → readImageContainer → decode.
//
// Input byte 0 chooses how the rest is used:
//   bit 0 clear: the rest is the container file as it is (header, scrambling, zlib);
//   bit 0 set:   the rest is a 17-byte header and a picture file, which the harness
//                deflates and scrambles, so mutations reach the picture decoders
//                through the real loading path instead of dying at zlib's checksum;
//   bit 1 set:   the file is read as a ".ysf" surface picture (the header's size
//                decides the allocation) instead of a ".ytx" texture picture.
#include <cstdint>
#include <vector>

#include "engine/exceptions/Exception.h"
#include "engine/io/Scrambler.h"
#include "engine/material/ImageContainer.h"
#include "engine/material/SurfacePicture.h"
#include "engine/platform/image/Image.h"
#include "engine/platform/image/Zlib.h"
#include "fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const mirelune::fuzz::FuzzFile textureFile("ytx");
    static const mirelune::fuzz::FuzzFile surfaceFile("ysf");
    static const bool keys = (veru::io::registerGameFileKeys(), true);
    (void)keys;
    if (size == 0)
        return 0;

    const bool wrapPicture = (data[0] & 1) != 0;
    const bool surface = (data[0] & 2) != 0;
    const mirelune::fuzz::FuzzFile& file = surface ? surfaceFile : textureFile;
    const char* suffix = surface ? "ysf" : "ytx";
    ++data;
    --size;
    if (wrapPicture) {
        if (size < 17)
            return 0;
        std::vector<std::uint8_t> bytes(data, data + 17);
        std::vector<std::uint8_t> packed;
        if (!veru::platform::deflateZlib({data + 17, size - 17}, packed))
            return 0;
        veru::io::scramble(packed, veru::io::fileKeyFor(suffix));
        const auto rawSize = static_cast<std::uint32_t>(size - 17);
        for (int i = 0; i < 4; ++i)
            bytes[13 + i] = static_cast<std::uint8_t>(rawSize >> (8 * i));
        bytes.insert(bytes.end(), packed.begin(), packed.end());
        file.write(bytes.data(), bytes.size());
    } else {
        file.write(data, size);
    }

    try {
        if (surface) {
            const veru::dxt::material::SurfacePicture picture =
                veru::dxt::material::readSurfacePicture(file.path);
            if (!veru::dxt::material::surfaceSizeAllowed(picture.width, picture.height) ||
                picture.pixels.size() != static_cast<std::size_t>(picture.width) *
                                             static_cast<std::size_t>(picture.height))
                __builtin_trap();  // a size the reader promised to refuse
            return 0;
        }
        const veru::dxt::material::ImageContainer container =
            veru::dxt::material::readImageContainer(file.path, "ytx");
        if (container.payload.size() != static_cast<std::size_t>(container.header.rawSize) &&
            !container.payload.empty())
            __builtin_trap();  // the reader promised exactly rawSize bytes
        const veru::platform::Image image = veru::dxt::material::decodeContainerPicture(
            container, file.path, 0xFF000000u, container.header.bitDepth != 32);
        if (image.pixels.size() !=
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
            __builtin_trap();
    } catch (const veru::excp::Exception& e) {
        // Refused with a message naming the file: what a broken file should get.
        if (e.getMessage().find(file.path) == std::u16string::npos)
            __builtin_trap();
    }
    return 0;
}
