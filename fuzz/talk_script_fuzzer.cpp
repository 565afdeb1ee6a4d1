// A packed talk script: bytes → file → the talk script reader → each
// statement split and its numbers and flags read as the talk scene does.
#include <cstdint>

#include "engine/adventure/Statement.h"
#include "engine/adventure/TalkScriptFile.h"
#include "engine/core/ValueParser.h"
#include "engine/exceptions/Exception.h"
#include "engine/io/Scrambler.h"
#include "fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const mirelune::fuzz::FuzzFile file("dat");
    static const bool keys = (veru::io::registerGameFileKeys(), true);
    (void)keys;
    file.write(data, size);
    try {
        const std::vector<veru::YString> lines = veru::adv::readTalkScript(file.path);
        std::size_t total = 0;
        for (const veru::YString& line : lines) {
            total += line.size() * 2 + 4;
            const veru::adv::Statement statement(line);
            (void)veru::adv::fontSizeForWord(statement.argument(2));
            try {
                (void)veru::parseInt(statement.argument(0));
            } catch (const veru::excp::Exception&) {
            }
            try {
                (void)veru::parseBool(statement.argument(3));
            } catch (const veru::excp::Exception&) {
            }
        }
        if (total > size)
            __builtin_trap();  // read more than there was
    } catch (const veru::excp::Exception& e) {
        if (e.getMessage().find(file.path) == std::u16string::npos)
            __builtin_trap();  // every failure names the file
    }
    return 0;
}
