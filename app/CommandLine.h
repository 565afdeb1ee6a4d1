#pragma once
// CommandLine: what the program was asked to do by its arguments.
//
//   mirelune [--windowed | --fullscreen] [--replay FILE | FILE]
//   mirelune --help | --version
//
// A lone argument that is not an option is a recording to watch (a file
// manager opens a replay with "mirelune FILE"). "--" ends the options, so a
// file whose name starts with "-" can still be named. The game starts in a
// window; --fullscreen starts it in full screen for this run only (the
// last of --windowed and --fullscreen wins).
// Anything else (an unknown option, two files, --replay without a file)
// is a usage error: the program prints the usage and ends with status 2.
//
// Thread: any. Failure: never throws for bad arguments; they come back as
// Action::usageError with the reason in `error`.

#include <optional>
#include <span>
#include <string>

namespace ml {

struct CommandLine {
    enum class Action { play, help, version, usageError };

    Action action = Action::play;
    // The recording to watch before the title menu; empty: none.
    std::string replayFile;
    // true: full screen, false: a window, empty: not asked (a window).
    std::optional<bool> fullScreen;
    // Why the arguments were refused (Action::usageError only).
    std::string error;
};

// `args` are the arguments after the program's name.
CommandLine parseCommandLine(std::span<const char* const> args);

// The text --help prints; `program` is how the program was started.
std::string usageText(const std::string& program);
// The text --version prints: the name and the version, one line.
std::string versionText();

// The exit status of a command line that ends the program before the game
// starts (help, version, a usage error); empty when the game should start.
std::optional<int> earlyExitStatus(const CommandLine& line);

}  // namespace ml
