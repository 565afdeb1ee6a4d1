// The Ogg reader's check of the length a stream claims: one field of its
// last page, which a damaged or forged file can set to anything.
#include "engine/sound/OggFile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/engine/sound/SoundFiles.h"
#include "tests/support/RecordingMessageSink.h"

using namespace mirelune::test;
using veru::YString;
using veru::sound::OggFile;

namespace {

// The page checksum of the Ogg format (polynomial 0x04C11DB7, no reflection).
std::uint32_t oggChecksum(const Bytes& page) {
    std::uint32_t crc = 0;
    for (std::uint8_t byte : page) {
        crc ^= static_cast<std::uint32_t>(byte) << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
    }
    return crc;
}

// `file` with the last page's granule position (its sample count) set to
// `samples`, the checksum made right again so the decoder believes it.
Bytes withClaimedLength(Bytes file, std::int64_t samples) {
    const Bytes capture{'O', 'g', 'g', 'S'};
    const auto last = std::find_end(file.begin(), file.end(), capture.begin(), capture.end());
    const auto at = static_cast<std::size_t>(last - file.begin());
    for (int i = 0; i < 8; ++i)
        file[at + 6 + i] =
            static_cast<std::uint8_t>(static_cast<std::uint64_t>(samples) >> (8 * i));
    for (int i = 0; i < 4; ++i)
        file[at + 22 + i] = 0;
    const std::uint32_t crc =
        oggChecksum(Bytes(file.begin() + static_cast<std::ptrdiff_t>(at), file.end()));
    for (int i = 0; i < 4; ++i)
        file[at + 22 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
    return file;
}

TEST(OggFileTest, ALengthTheFileCannotHoldIsRefusedNamingTheFile) {
    TempDir dir;
    RecordingMessageSink boxes;
    const YString real = dir.file("tune.ogg");
    // Long enough for several pages of sound (the first page's count is
    // taken as the stream's start, so a one-page file cannot be misread).
    ASSERT_TRUE(writeOgg(real, 3.0));
    OggFile good;
    ASSERT_TRUE(good.open(real));
    EXPECT_EQ(good.dataSize(), 132300u * 4) << "the real length";
    EXPECT_EQ(boxes.count(), 0u);

    // The claim of the tune: 536,870,908 samples in a small file.
    const YString forged = dir.file("forged.ogg");
    writeBytes(forged, withClaimedLength(readBytes(real), 536870908));
    OggFile file;
    EXPECT_FALSE(file.open(forged));
    EXPECT_EQ(file.dataSize(), 0u);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.messages()[0].text,
              YString(u"音声の長さが正しくないか、長すぎます（256MBまで）：").append(forged));

    // A last page claiming a little more than the packets decode to, or
    // twice as much, is as wrong as a wild claim.
    for (const std::int64_t claim : {133623, 264600}) {
        const YString longer = dir.file("longer.ogg");
        writeBytes(longer, withClaimedLength(readBytes(real), claim));
        OggFile near;
        EXPECT_FALSE(near.open(longer)) << claim;
        EXPECT_EQ(boxes.messages().back().text,
                  YString(u"音声の長さが正しくないか、長すぎます（256MBまで）：").append(longer));
    }
}

TEST(OggFileTest, AFormatTheMixerCannotPlayIsRefusedNamingTheFile) {
    TempDir dir;
    RecordingMessageSink boxes;
    // Six channels, a real encoding.
    const YString six = dir.file("six.ogg");
    ASSERT_TRUE(veru::platform::writeOggVorbis(six.toUtf8(), std::vector<std::int16_t>(6 * 4410), 6,
                                               44100));
    // A rate of 1 Hz: the identification header's rate field (after the
    // 27-byte page header, one lacing value, and 12 bytes of the packet).
    const YString slow = dir.file("slow.ogg");
    ASSERT_TRUE(writeOgg(slow, 0.5));
    Bytes bytes = readBytes(slow);
    bytes[40] = 1;
    bytes[41] = bytes[42] = bytes[43] = 0;
    bytes[22] = bytes[23] = bytes[24] = bytes[25] = 0;
    const Bytes firstPage(bytes.begin(), bytes.begin() + 58);
    const std::uint32_t crc = oggChecksum(firstPage);
    for (int i = 0; i < 4; ++i)
        bytes[22 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(crc >> (8 * i));
    writeBytes(slow, bytes);
    for (const YString& bad : {six, slow}) {
        OggFile file;
        EXPECT_FALSE(file.open(bad)) << bad.toUtf8();
        ASSERT_GE(boxes.count(), 1u);
        EXPECT_EQ(boxes.messages().back().text,
                  YString(u"ちゃんと読み込めて…ない！？：").append(bad));
    }
}

}  // namespace
