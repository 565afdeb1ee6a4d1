#pragma once
// Writes a packed script (scrambled string records, one per line) as the
// game's data files hold them. Empty lines are not written.

#include <initializer_list>

#include "engine/io/ByteFileWriter.h"
#include "engine/io/Scrambler.h"

namespace mirelune::test {

inline void writeScript(const veru::YString& path, std::initializer_list<const char16_t*> lines) {
    veru::io::ByteFileWriter writer(path);
    writer.setKeys(0, veru::io::fileKeyFor("dat"));
    for (const char16_t* line : lines)
        writer.writeLine(line);
    writer.close();
}

}  // namespace mirelune::test
