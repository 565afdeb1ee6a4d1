// mlpack: packs pictures and scripts into the game's data files and looks
// inside them. Quiet on success; every failure prints one message to stderr
// and ends with a non-zero exit code (1: the operation failed, 2: bad usage).
#include <cstring>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "engine/exceptions/Exception.h"
#include "engine/io/Scrambler.h"
#include "tools/mlpack/PackCommands.h"

namespace {

constexpr int kFailed = 1;
constexpr int kBadUsage = 2;

constexpr const char* kUsage =
    "usage:\n"
    "  mlpack texture IN.png|IN.jpg OUT.ytx [--bits 32|24]\n"
    "      pack a picture as a texture; 32 bits (the default) keeps its alpha,\n"
    "      24 bits makes it opaque\n"
    "  mlpack surface IN.png|IN.jpg OUT.ysf\n"
    "      pack a picture as a full-screen surface of the picture's size\n"
    "  mlpack script IN.txt OUT.dat\n"
    "      pack UTF-8 text, one record per non-empty line\n"
    "  mlpack stage IN.txt OUT.dat --manifest MANIFEST\n"
    "      check a stage script (names, numbers, items, the files it names\n"
    "      against the manifest) and pack it as a script; refuse it, naming\n"
    "      every line at fault, when it does not pass\n"
    "  mlpack unpack IN.ytx|IN.ysf|IN.dat OUT\n"
    "      write the picture file inside a container, or a script as UTF-8 text\n"
    "  mlpack info IN.ytx|IN.ysf\n"
    "      load a container as the game does; print its width, height and alpha\n";

veru::YString pathArgument(const std::string& argument) {
    return veru::YString::fromUtf8(argument);
}

int run(const std::vector<std::string>& args) {
    if (args.empty())
        throw mlpack::UsageError("no command given");
    const std::string& command = args[0];
    const auto expect = [&](std::size_t count) {
        if (args.size() != count + 1)
            throw mlpack::UsageError(command + " takes " + std::to_string(count) +
                                     (count == 1 ? " file" : " files"));
    };

    if (command == "texture") {
        int bits = 32;
        std::vector<std::string> files;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--bits") {
                if (i + 1 >= args.size())
                    throw mlpack::UsageError("--bits needs 32 or 24");
                const std::string& value = args[++i];
                if (value == "32")
                    bits = 32;
                else if (value == "24")
                    bits = 24;
                else
                    throw mlpack::UsageError("--bits takes 32 or 24, not '" + value + "'");
            } else if (args[i].starts_with("--")) {
                throw mlpack::UsageError("unknown option '" + args[i] + "'");
            } else {
                files.push_back(args[i]);
            }
        }
        if (files.size() != 2)
            throw mlpack::UsageError("texture takes 2 files");
        mlpack::packTexture(pathArgument(files[0]), pathArgument(files[1]), bits);
    } else if (command == "surface") {
        expect(2);
        mlpack::packSurface(pathArgument(args[1]), pathArgument(args[2]));
    } else if (command == "script") {
        expect(2);
        mlpack::packScript(pathArgument(args[1]), pathArgument(args[2]));
    } else if (command == "stage") {
        if (args.size() != 5 || args[3] != "--manifest")
            throw mlpack::UsageError("stage takes IN.txt OUT.dat --manifest MANIFEST");
        mlpack::packStage(pathArgument(args[1]), pathArgument(args[2]), pathArgument(args[4]),
                          std::cerr);
    } else if (command == "unpack") {
        expect(2);
        mlpack::unpack(pathArgument(args[1]), pathArgument(args[2]));
    } else if (command == "info") {
        expect(1);
        mlpack::printInfo(pathArgument(args[1]), std::cout);
    } else {
        throw mlpack::UsageError("unknown command '" + command + "'");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        std::cout << kUsage;
        return 0;
    }
    // The same keys the game registers at start-up.
    veru::io::registerGameFileKeys();
    try {
        return run(args);
    } catch (const mlpack::UsageError& error) {
        std::cerr << "mlpack: " << error.what() << "\n" << kUsage;
        return kBadUsage;
    } catch (const veru::excp::Exception& error) {
        std::cerr << "mlpack: " << error.getMessage().toUtf8() << "\n";
    } catch (const std::bad_alloc&) {
        std::cerr << "mlpack: out of memory\n";
    } catch (const std::exception& error) {
        std::cerr << "mlpack: " << error.what() << "\n";
    }
    return kFailed;
}
