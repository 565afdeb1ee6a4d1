// The stage recording reader: bytes → file → readStageReplay.
//
// Input byte 0 chooses how the rest is used:
//   bit 0 clear: the rest is the recording as it is;
//   bit 0 set:   the harness writes the right checksum into the rest's last
//                8 bytes first, so mutations reach the range checks and the
//                runs instead of dying at the checksum.
// A recording that reads must be in range, and must read back the same after
// being written again.
#include <cstdint>
#include <vector>

#include "engine/exceptions/Exception.h"
#include "fuzz/FuzzFile.h"
#include "game/StageReplay.h"
#include "game/StageStateHash.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const mirelune::fuzz::FuzzFile file("rpl");
    static const mirelune::fuzz::FuzzFile again("rpl");
    if (size == 0)
        return 0;
    std::vector<std::uint8_t> bytes(data + 1, data + size);
    if ((data[0] & 1) != 0 && bytes.size() >= 16 && bytes.size() % 4 == 0) {
        ml::StageStateHash checksum;
        for (std::size_t i = 0; i + 8 < bytes.size(); i += 4) {
            checksum.add(static_cast<int>(bytes[i] | bytes[i + 1] << 8 | bytes[i + 2] << 16 |
                                          static_cast<std::uint32_t>(bytes[i + 3]) << 24));
        }
        const std::uint64_t value = checksum.value();
        for (int b = 0; b < 8; ++b)
            bytes[bytes.size() - 8 + static_cast<std::size_t>(b)] =
                static_cast<std::uint8_t>(value >> (8 * b));
    }
    file.write(bytes.data(), bytes.size());
    ml::StageReplay replay;
    try {
        replay = ml::readStageReplay(file.path);
    } catch (const veru::excp::Exception&) {
        return 0;
    }
    if (!replay.problem().empty())
        __builtin_trap();  // read a value the game cannot have
    ml::writeStageReplay(again.path, replay);
    const ml::StageReplay back = ml::readStageReplay(again.path);
    if (back.seed != replay.seed || back.level != replay.level ||
        back.maskShoot != replay.maskShoot || back.maskSpecial != replay.maskSpecial ||
        back.maskBomb != replay.maskBomb || back.maskSlow != replay.maskSlow ||
        back.maskPause != replay.maskPause || back.startScore != replay.startScore ||
        back.startLives != replay.startLives || back.startStock != replay.startStock ||
        back.startPower != replay.startPower || back.character != replay.character ||
        back.startPosition != replay.startPosition || back.startBoss != replay.startBoss ||
        back.result != replay.result || back.words != replay.words)
        __builtin_trap();  // the writer and the reader disagree
    return 0;
}
