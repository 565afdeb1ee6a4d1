#include "tools/mlpack/PackCommands.h"

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/exceptions/IOException.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/ByteFileWriter.h"
#include "engine/io/Scrambler.h"
#include "engine/io/YFile.h"
#include "engine/material/ImageContainer.h"
#include "engine/platform/FileSystem.h"
#include "engine/platform/image/Image.h"
#include "game/StageScriptCheck.h"
#include "game/StageScriptWords.h"

namespace mlpack {

using veru::YString;
using veru::excp::IOException;
namespace material = veru::dxt::material;

namespace {

// The longest line a script record may hold (the game's record limit).
constexpr std::size_t kMaxScriptLine = 512;

[[noreturn]] void fail(const YString& path, const std::string& what) {
    throw IOException(YString(path).append(YString::fromUtf8(": " + what)));
}

std::vector<std::uint8_t> readWholeFile(const YString& path) {
    veru::io::ByteFileReader reader(path);
    if (reader.isEOF())
        return {};
    std::vector<std::uint8_t> bytes = reader.readRest();
    reader.close();
    return bytes;
}

// Writes through `write` into a temporary file beside `path`, then renames it
// over `path`; on any failure the temporary file is removed. A result larger
// than `maxBytes` (the most the game reads of that kind of file) is refused
// as a failure of `source`, and `path` is left as it was.
void writeReplacing(const YString& path,
                    const std::function<void(veru::io::ByteFileWriter&)>& write,
                    const YString& source = {}, std::int64_t maxBytes = -1) {
    const YString temporary = YString(path).append(u".tmp");
    try {
        veru::io::ByteFileWriter writer(temporary);
        write(writer);
        writer.close();
    } catch (...) {
        veru::platform::removeFile(temporary);
        throw;
    }
    const std::uint64_t size = veru::platform::statPath(temporary).size;
    if (maxBytes >= 0 && size > static_cast<std::uint64_t>(maxBytes)) {
        veru::platform::removeFile(temporary);
        fail(source, "packs to " + std::to_string(size) + " bytes; the game reads at most " +
                         std::to_string(maxBytes));
    }
    veru::io::YFile written(temporary);
    if (!written.renameTo(path)) {
        veru::platform::removeFile(temporary);
        fail(path, "cannot replace the file");
    }
}

// Reads a picture file and checks that the game's decoder takes it.
std::vector<std::uint8_t> readPicture(const YString& path, veru::platform::Image& image) {
    std::vector<std::uint8_t> bytes = readWholeFile(path);
    if (bytes.empty())
        fail(path, "the file is empty");
    if (!veru::platform::decodeImage(bytes, image))
        fail(path, "not a PNG or JPEG picture the game can decode (broken, or larger than " +
                       std::to_string(veru::platform::kMaxImageSide) + " pixels a side)");
    return bytes;
}

void packPicture(const YString& in, const YString& out, const char* suffix, int bits) {
    veru::platform::Image image;
    const std::vector<std::uint8_t> bytes = readPicture(in, image);
    if (bytes.size() > static_cast<std::size_t>(material::kMaxRawSize))
        fail(in, "larger than the " + std::to_string(material::kMaxRawSize) +
                     " bytes a container may hold");
    material::ImageContainerHeader header;
    header.bitDepth = bits;
    header.width = image.width;
    header.height = image.height;
    material::writeImageContainer(out, suffix, header, bytes);
}

// Length of the valid UTF-8 sequence starting at `text[i]`, or 0.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = at(i);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, code = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, code = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, code = lead & 0x07;
    else
        return 0;
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((at(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (at(i + k) & 0x3F);
    }
    const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

bool isContainerSuffix(const YString& path) {
    return path.hasSuffix("ytx") || path.hasSuffix("ysf");
}

}  // namespace

void packTexture(const YString& in, const YString& out, int bits) {
    if (bits != 32 && bits != 24)
        throw UsageError("--bits takes 32 or 24");
    packPicture(in, out, "ytx", bits);
}

void packSurface(const YString& in, const YString& out) {
    packPicture(in, out, "ysf", 32);
}

namespace {

// The lines of a UTF-8 script file, empty ones included (they keep the line
// numbers right), without line ends or a byte-order mark.
std::vector<YString> readScriptLines(const YString& in) {
    const std::vector<std::uint8_t> bytes = readWholeFile(in);
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);

    std::vector<YString> lines;
    for (std::size_t number = 1; !text.empty(); ++number) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const std::string where = "line " + std::to_string(number) + ": ";
        if (!isValidUtf8(line))
            fail(in, where + "not UTF-8 text");
        YString record = YString::fromUtf8(line);
        if (record.size() > kMaxScriptLine)
            fail(in, where + "longer than " + std::to_string(kMaxScriptLine) + " characters");
        lines.push_back(std::move(record));
    }
    return lines;
}

// One scrambled string record per line: every non-empty line, or with
// `keepBlank` every line up to the last non-empty one, so that a reader
// counting records counts the lines of the source.
void writeScript(const YString& out, const std::vector<YString>& lines, bool keepBlank,
                 const YString& source = {}, std::int64_t maxBytes = -1) {
    std::size_t end = lines.size();
    while (end > 0 && lines[end - 1].empty())
        --end;
    writeReplacing(
        out,
        [&](veru::io::ByteFileWriter& writer) {
            writer.setKeys(0, veru::io::fileKeyFor("dat"));
            for (std::size_t i = 0; i < end; ++i) {
                if (!lines[i].empty())
                    writer.writeLine(lines[i]);
                else if (keepBlank)
                    writer.writeInt(0);  // an empty record (writeLine skips empty text)
            }
        },
        source, maxBytes);
}

// The game path and kind of every entry of a data manifest.
std::map<std::u16string, std::string> readManifestKinds(const YString& manifest) {
    std::map<std::u16string, std::string> kinds;
    for (const YString& line : readScriptLines(manifest)) {
        std::istringstream fields(line.toUtf8());
        std::string path, kind;
        if (!(fields >> path >> kind) || path[0] == '#')
            continue;
        kinds[YString::fromUtf8(path)] = kind;
    }
    return kinds;
}

}  // namespace

void packScript(const YString& in, const YString& out) {
    writeScript(out, readScriptLines(in), false);
}

void packStage(const YString& in, const YString& out, const YString& manifest,
               std::ostream& warnings) {
    const std::vector<YString> lines = readScriptLines(in);
    const auto kinds = readManifestKinds(manifest);
    const ml::StageFileCatalogue files = [&](const YString& path, ml::StageFileUse use) {
        const auto entry = kinds.find(path);
        if (entry == kinds.end())
            return false;
        const std::string& kind = entry->second;
        switch (use) {
            case ml::StageFileUse::Background:
                return kind == "surface";
            case ml::StageFileUse::Picture:
                return kind == "texture32" || kind == "texture24";
            case ml::StageFileUse::Sound:
                return kind == "wave" || kind == "music";
        }
        return false;
    };
    const ml::StageScriptCheckResult checked = ml::checkStageScript(lines, files);
    const auto where = [](const ml::StageScriptProblem& p) {
        return p.line > 0 ? "line " + std::to_string(p.line) + ": " : std::string();
    };
    for (const ml::StageScriptProblem& w : checked.warnings)
        warnings << in.toUtf8() << ": " << where(w) << "warning: " << w.message << "\n";
    if (!checked.ok()) {
        std::string report = "the stage script is not packed:";
        for (const ml::StageScriptProblem& p : checked.problems)
            report += "\n  " + where(p) + p.message;
        fail(in, report);
    }
    writeScript(out, lines, true, in, ml::StageLimits::kMaxFileBytes);
}

void unpack(const YString& in, const YString& out) {
    if (isContainerSuffix(in)) {
        const material::ImageContainer container =
            material::readImageContainer(in, in.hasSuffix("ytx") ? "ytx" : "ysf");
        if (container.payload.empty())
            fail(in, "the payload could not be inflated");
        writeReplacing(
            out, [&](veru::io::ByteFileWriter& writer) { writer.writeBytes(container.payload); });
        return;
    }
    if (in.hasSuffix("dat")) {
        std::string text;
        veru::io::ByteFileReader reader(in);
        reader.setKeys(0, veru::io::fileKeyFor("dat"));
        while (const std::optional<YString> line = reader.readLine())
            text += line->toUtf8() + "\n";
        reader.close();
        writeReplacing(out, [&](veru::io::ByteFileWriter& writer) {
            writer.writeBytes({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
        });
        return;
    }
    throw UsageError("unpack takes a .ytx, .ysf or .dat file");
}

void printInfo(const YString& in, std::ostream& out) {
    if (!isContainerSuffix(in))
        throw UsageError("info takes a .ytx or .ysf file");
    const bool texture = in.hasSuffix("ytx");
    const material::ImageContainer container =
        material::readImageContainer(in, texture ? "ytx" : "ysf");
    const material::ImageContainerHeader& header = container.header;
    // A 24-bit texture is opaque; a surface takes the picture as it is.
    const veru::platform::Image image =
        material::decodeContainerPicture(container, in, 0, texture && header.bitDepth != 32);

    int width = image.width;
    int height = image.height;
    if (!texture) {
        // A surface is made at the size its header holds.
        if (header.width <= 0 || header.height <= 0 ||
            header.width > veru::platform::kMaxImageSide ||
            header.height > veru::platform::kMaxImageSide)
            throw IOException(YString(u"Surface作成失敗。：").append(in));
        width = header.width;
        height = header.height;
    }
    out << "width: " << width << "\n"
        << "height: " << height << "\n"
        << "alpha: " << (image.hasAlpha ? "yes" : "no") << "\n";
    if (width != image.width || height != image.height)
        out << "picture: " << image.width << "x" << image.height << "\n";
}

}  // namespace mlpack
