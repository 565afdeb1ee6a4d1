#include "engine/material/ImageContainer.h"

#include "engine/exceptions/EOFException.h"
#include "engine/exceptions/IOException.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/ByteFileWriter.h"
#include "engine/io/Scrambler.h"
#include "engine/io/YFile.h"
#include "engine/platform/FileSystem.h"
#include "engine/platform/image/Zlib.h"

namespace veru::dxt::material {

namespace {

constexpr std::int32_t kHeaderSize = 17;
// zlib never needs more than this for kMaxRawSize bytes (stored blocks cost
// 5 bytes per 16 KiB); anything longer is no container of ours.
constexpr std::int64_t kMaxPayloadSize = kMaxRawSize + kMaxRawSize / 1024 + 1024;

[[noreturn]] void refuse(const char16_t* what, const YString& path) {
    throw excp::IOException(YString(what).append(path));
}

ImageContainerHeader readHeader(io::ByteFileReader& reader) {
    // A header cut anywhere reads as the end of the file, not a short read.
    if (reader.getRemaining() < kHeaderSize)
        throw excp::EOFException(reader.getFile().path);
    ImageContainerHeader header;
    header.bitDepth = reader.readInt();
    header.unused = reader.readByte();
    header.width = reader.readInt();
    header.height = reader.readInt();
    header.rawSize = reader.readInt();
    return header;
}

}  // namespace

ImageContainerHeader readImageContainerHeader(const YString& path) {
    io::ByteFileReader reader(path);
    return readHeader(reader);
}

ImageContainer readImageContainer(const YString& path, const char* suffix) {
    io::ByteFileReader reader(path);
    ImageContainer container;
    container.header = readHeader(reader);
    const ImageContainerHeader& header = container.header;
    if (header.rawSize < 0 || header.rawSize > kMaxRawSize)
        refuse(u"IOException::展開後の大きさ（rawSize）が不正です。：", path);
    if (reader.getRemaining() > kMaxPayloadSize)
        refuse(u"IOException::圧縮データが大きすぎます。：", path);

    reader.setKeys(io::fileKeyFor(suffix), 0);
    const std::vector<std::uint8_t> packed = reader.readRest();
    reader.close();

    switch (platform::inflateZlib(packed, static_cast<std::size_t>(header.rawSize),
                                  container.payload)) {
        case platform::InflateResult::ok:
            break;
        case platform::InflateResult::bufferError:
            refuse(u"Z_BUF_ERRORが発生しました。：", path);
        case platform::InflateResult::memoryError:
            refuse(u"Z_MEM_ERRORが発生しました。：", path);
        case platform::InflateResult::dataError:
            refuse(u"Z_DATA_ERRORが発生しました。：", path);
        case platform::InflateResult::otherError:
            // Nothing to say beyond what the decoder will: the payload stays
            // empty and decoding it fails.
            container.payload.clear();
            return container;
    }
    if (container.payload.size() != static_cast<std::size_t>(header.rawSize))
        refuse(u"IOException::展開したデータの大きさがrawSizeと合いません。：", path);
    return container;
}

void checkContainerSize(const ImageContainerHeader& header, int pictureWidth, int pictureHeight,
                        const char16_t* failure, const YString& path) {
    if (pictureWidth == header.width && pictureHeight == header.height)
        return;
    throw excp::IOException(YString(failure)
                                .append(u"画像の大きさ（")
                                .append(pictureWidth)
                                .append(u"×")
                                .append(pictureHeight)
                                .append(u"）がファイルの記録（")
                                .append(header.width)
                                .append(u"×")
                                .append(header.height)
                                .append(u"）と合いません。：")
                                .append(path));
}

platform::Image decodeContainerPicture(const ImageContainer& container, const YString& path,
                                       std::uint32_t colorKey, bool opaque) {
    platform::Image image;
    if (!platform::decodeImage(container.payload, image, colorKey))
        refuse(u"画像の読込みに失敗しました。：", path);
    if (opaque) {
        for (std::uint32_t& pixel : image.pixels)
            pixel |= 0xFF000000u;
        image.hasAlpha = false;
    }
    return image;
}

void writeImageContainer(const YString& path, const char* suffix,
                         const ImageContainerHeader& header,
                         std::span<const std::uint8_t> payload) {
    if (payload.size() > static_cast<std::size_t>(kMaxRawSize))
        refuse(u"IOException::画像ファイルが大きすぎます。：", path);
    std::vector<std::uint8_t> packed;
    if (!platform::deflateZlib(payload, packed))
        throw excp::IOException(u"Z_MEM_ERRORが発生しました。");

    const YString temporary = YString(path).append(u".tmp");
    try {
        io::ByteFileWriter writer(temporary);
        writer.writeInt(header.bitDepth);
        writer.writeByte(header.unused);
        writer.writeInt(header.width);
        writer.writeInt(header.height);
        writer.writeInt(static_cast<std::int32_t>(payload.size()));
        writer.setKeys(io::fileKeyFor(suffix), 0);  // the header stays plain
        writer.writeBytes(packed);
        writer.close();
    } catch (...) {
        platform::removeFile(temporary);
        throw;
    }
    io::YFile written(temporary);
    if (!written.renameTo(path)) {
        platform::removeFile(temporary);
        refuse(u"IOException::ファイルを書き込めませんでした。：", path);
    }
}

}  // namespace veru::dxt::material
