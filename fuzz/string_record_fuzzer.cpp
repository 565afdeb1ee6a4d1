// The string-record reader as the script loaders use it: bytes → file →
// ByteFileReader with the "dat" key → readLine until the end or a refusal.
#include <cstdint>
#include <optional>

#include "engine/exceptions/Exception.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/Scrambler.h"
#include "fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const mirelune::fuzz::FuzzFile file("dat");
    static const bool keys = (veru::io::registerGameFileKeys(), true);
    (void)keys;
    file.write(data, size);
    try {
        veru::io::ByteFileReader reader(file.path);
        reader.setKeys(0, veru::io::fileKeyFor("dat"));
        std::size_t total = 0;
        while (const std::optional<veru::YString> line = reader.readLine()) {
            total += line->size() * 2 + 4;
            if (total > size || reader.getRemaining() < 0)
                __builtin_trap();  // read more than there was
        }
        if (!reader.isEOF())
            __builtin_trap();
    } catch (const veru::excp::Exception&) {
    }
    return 0;
}
