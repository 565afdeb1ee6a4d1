// The .ytx/.ysf containers: the byte layout, what the reader makes of files
// written by hand, and every way a broken file is refused.
#include <gtest/gtest.h>

#include "engine/exceptions/EOFException.h"
#include "engine/exceptions/FileNotFoundException.h"
#include "engine/exceptions/IOException.h"
#include "engine/io/Scrambler.h"
#include "engine/material/ImageContainer.h"
#include "engine/platform/image/Image.h"
#include "engine/platform/image/Zlib.h"
#include "tests/support/TempDir.h"

namespace {

using namespace veru::dxt::material;
using mirelune::test::appendInt32;
using mirelune::test::Bytes;
using veru::YString;

constexpr std::uint8_t kByteKey = veru::io::kDataFileKey & 0xFF;

class ImageContainerTest : public ::testing::Test {
  protected:
    void SetUp() override { veru::io::registerGameFileKeys(); }

    static Bytes picture() {
        veru::platform::Image image;
        image.width = 6;
        image.height = 3;
        for (int i = 0; i < 18; ++i)
            image.pixels.push_back(0x80000000u | static_cast<std::uint32_t>(i * 0x0A0B0C));
        Bytes file;
        EXPECT_TRUE(veru::platform::encodePng(image, file));
        return file;
    }

    static Bytes deflated(const Bytes& payload) {
        Bytes packed;
        EXPECT_TRUE(veru::platform::deflateZlib(payload, packed));
        return packed;
    }

    // A container put together byte by byte: plain header, scrambled rest.
    static Bytes handMade(std::int32_t bitDepth, std::int32_t width, std::int32_t height,
                          std::int32_t rawSize, Bytes rest, std::uint8_t key = kByteKey) {
        Bytes file;
        appendInt32(file, bitDepth);
        file.push_back(0xA5);
        appendInt32(file, width);
        appendInt32(file, height);
        appendInt32(file, rawSize);
        for (std::uint8_t& b : rest)
            b ^= key;
        file.insert(file.end(), rest.begin(), rest.end());
        return file;
    }

    YString put(const Bytes& bytes, const std::string& name = "t.ytx") {
        const YString path = dir.file(name);
        mirelune::test::writeBytes(path, bytes);
        return path;
    }

    // The message readImageContainer throws for `bytes`.
    std::u16string readFailure(const Bytes& bytes) {
        const YString path = put(bytes);
        try {
            readImageContainer(path, "ytx");
        } catch (const veru::excp::Exception& e) {
            // Every failure names the file: the message without it is returned.
            const std::u16string message = e.getMessage();
            const std::u16string suffix = YString(u"：").append(path);
            EXPECT_TRUE(message.ends_with(suffix)) << YString(message).toUtf8();
            return message.ends_with(suffix) ? message.substr(0, message.size() - suffix.size())
                                             : message;
        }
        return u"(no exception)";
    }

    mirelune::test::TempDir dir;
};

TEST_F(ImageContainerTest, WrittenLayoutMatchesTheFormatByteForByte) {
    const Bytes payload = picture();
    const YString path = dir.file("a.ysf");
    ImageContainerHeader header;
    header.bitDepth = 24;
    header.unused = 0x5A;
    header.width = 640;
    header.height = 480;
    header.rawSize = 12345;  // replaced by the payload's real size
    writeImageContainer(path, "ysf", header, payload);

    const Bytes file = mirelune::test::readBytes(path);
    Bytes expectedHeader;
    appendInt32(expectedHeader, 24);
    expectedHeader.push_back(0x5A);
    appendInt32(expectedHeader, 640);
    appendInt32(expectedHeader, 480);
    appendInt32(expectedHeader, static_cast<std::int32_t>(payload.size()));
    ASSERT_GT(file.size(), 17u);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 17), expectedHeader);  // plain, never scrambled

    Bytes rest(file.begin() + 17, file.end());
    for (std::uint8_t& b : rest)
        b ^= kByteKey;
    EXPECT_EQ(rest[0], 0x78);  // a zlib header once unscrambled
    Bytes inflated;
    ASSERT_EQ(veru::platform::inflateZlib(rest, payload.size(), inflated),
              veru::platform::InflateResult::ok);
    EXPECT_EQ(inflated, payload);
    EXPECT_FALSE(mirelune::test::fileExists(YString(path).append(u".tmp")));
}

TEST_F(ImageContainerTest, ReadsAHandMadeFileAndRoundTrips) {
    const Bytes payload = picture();
    const YString path =
        put(handMade(32, 7, 9, static_cast<std::int32_t>(payload.size()), deflated(payload)));
    const ImageContainer read = readImageContainer(path, "ytx");
    EXPECT_EQ(read.header.bitDepth, 32);
    EXPECT_EQ(read.header.unused, 0xA5);
    EXPECT_EQ(read.header.width, 7);
    EXPECT_EQ(read.header.height, 9);
    EXPECT_EQ(read.header.rawSize, static_cast<std::int32_t>(payload.size()));
    EXPECT_EQ(read.payload, payload);

    // Written by the engine, read by the engine, decoded: the same picture.
    ImageContainerHeader header;
    const YString again = dir.file("b.ytx");
    writeImageContainer(again, "ytx", header, payload);
    const ImageContainer container = readImageContainer(again, "ytx");
    EXPECT_EQ(container.payload, payload);
    veru::platform::Image expected;
    ASSERT_TRUE(veru::platform::decodeImage(payload, expected));
    const veru::platform::Image decoded = decodeContainerPicture(container, again, 0, false);
    EXPECT_EQ(decoded.pixels, expected.pixels);
    EXPECT_TRUE(decoded.hasAlpha);

    // A 24-bit texture: opaque, the colour channels kept.
    const veru::platform::Image opaque = decodeContainerPicture(container, again, 0, true);
    EXPECT_FALSE(opaque.hasAlpha);
    ASSERT_EQ(opaque.pixels.size(), expected.pixels.size());
    for (std::size_t i = 0; i < opaque.pixels.size(); ++i)
        EXPECT_EQ(opaque.pixels[i], expected.pixels[i] | 0xFF000000u);
}

TEST_F(ImageContainerTest, EachSuffixUsesItsOwnKey) {
    const Bytes payload = picture();
    veru::io::registerFileKey("ysf", 0x1234);
    const YString path =
        put(handMade(32, 0, 0, static_cast<std::int32_t>(payload.size()), deflated(payload), 0x34),
            "k.ysf");
    EXPECT_EQ(readImageContainer(path, "ysf").payload, payload);
    try {
        readImageContainer(path, "ytx");  // 0x93 unscrambles it into garbage
        FAIL() << "no exception";
    } catch (const veru::excp::IOException& e) {
        EXPECT_EQ(e.getMessage(), YString(u"Z_DATA_ERRORが発生しました。：").append(path));
    }
}

TEST_F(ImageContainerTest, MissingFileNamesThePath) {
    const YString path = dir.file("none.ytx");
    try {
        readImageContainer(path, "ytx");
        FAIL() << "no exception";
    } catch (const veru::excp::FileNotFoundException& e) {
        EXPECT_EQ(
            e.getMessage(),
            YString(u"FileNotFoundException::ファイルが見つかりませんでした。\n：").append(path));
    }
}

TEST_F(ImageContainerTest, HeaderCutShortIsTheEndOfTheFile) {
    const Bytes whole = handMade(32, 1, 1, 10, deflated(Bytes(10, 1)));
    for (std::size_t length = 0; length <= 17; ++length) {
        const YString path =
            put(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
        EXPECT_THROW(readImageContainer(path, "ytx"), veru::excp::EOFException) << length;
    }
    EXPECT_EQ(readFailure(Bytes(whole.begin(), whole.begin() + 6)),
              u"EOFException::ファイルの終端に来ています。");
}

TEST_F(ImageContainerTest, InflationFailuresCarryTheirMessages) {
    const Bytes payload = picture();
    const auto size = static_cast<std::int32_t>(payload.size());
    const Bytes packed = deflated(payload);

    EXPECT_EQ(readFailure(handMade(32, 0, 0, size, payload)),
              u"Z_DATA_ERRORが発生しました。");  // not zlib
    EXPECT_EQ(readFailure(handMade(32, 0, 0, size, Bytes(packed.begin(), packed.end() - 10))),
              u"Z_DATA_ERRORが発生しました。");  // cut short
    EXPECT_EQ(readFailure(handMade(32, 0, 0, size - 1, packed)), u"Z_BUF_ERRORが発生しました。");
    // zlib itself calls a stream that does not fit in no room at all a data error.
    EXPECT_EQ(readFailure(handMade(32, 0, 0, 0, packed)), u"Z_DATA_ERRORが発生しました。");

    // Fewer bytes than the header promised.
    const YString shortPath = put(handMade(32, 0, 0, size + 1, packed));
    try {
        readImageContainer(shortPath, "ytx");
        FAIL() << "no exception";
    } catch (const veru::excp::IOException& e) {
        EXPECT_EQ(e.getMessage(),
                  YString(u"IOException::展開したデータの大きさがrawSizeと合いません。：")
                      .append(shortPath));
    }
}

TEST_F(ImageContainerTest, AbsurdRawSizesAreRefusedBeforeAllocating) {
    for (std::int32_t rawSize :
         {-1, static_cast<std::int32_t>(0x80000000u), kMaxRawSize + 1, 0x7FFFFFFF}) {
        const YString path = put(handMade(32, 0, 0, rawSize, deflated(Bytes(4, 0))));
        try {
            readImageContainer(path, "ytx");
            FAIL() << rawSize;
        } catch (const veru::excp::IOException& e) {
            EXPECT_EQ(
                e.getMessage(),
                YString(u"IOException::展開後の大きさ（rawSize）が不正です。：").append(path));
        }
    }
}

TEST_F(ImageContainerTest, PayloadThatIsNoPictureFailsToDecode) {
    const Bytes text = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'};
    const YString path =
        put(handMade(32, 0, 0, static_cast<std::int32_t>(text.size()), deflated(text)));
    const ImageContainer container = readImageContainer(path, "ytx");
    try {
        decodeContainerPicture(container, path, 0, false);
        FAIL() << "no exception";
    } catch (const veru::excp::IOException& e) {
        EXPECT_EQ(e.getMessage(), YString(u"画像の読込みに失敗しました。：").append(path));
    }
}

TEST_F(ImageContainerTest, FailedWriteLeavesNothingBehind) {
    const YString path = dir.file("missing/folder/x.ytx");
    EXPECT_THROW(writeImageContainer(path, "ytx", ImageContainerHeader{}, picture()),
                 veru::excp::FileNotFoundException);
    EXPECT_FALSE(mirelune::test::fileExists(YString(path).append(u".tmp")));

    // An existing file is replaced whole.
    const YString existing = put(Bytes(100000, 0xEE), "old.ytx");
    writeImageContainer(existing, "ytx", ImageContainerHeader{}, picture());
    EXPECT_EQ(readImageContainer(existing, "ytx").payload, picture());
}

}  // namespace
