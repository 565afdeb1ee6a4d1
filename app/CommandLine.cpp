#include "app/CommandLine.h"

#include <string_view>

namespace ml {

namespace {

CommandLine refused(std::string why) {
    CommandLine line;
    line.action = CommandLine::Action::usageError;
    line.error = std::move(why);
    return line;
}

}  // namespace

CommandLine parseCommandLine(std::span<const char* const> args) {
    CommandLine line;
    bool optionsEnded = false;
    auto takeFile = [&line](std::string_view file) {
        if (file.empty())
            return false;
        if (!line.replayFile.empty())
            return false;
        line.replayFile = file;
        return true;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i] ? args[i] : "";
        if (optionsEnded || arg.empty() || arg == "-" || arg[0] != '-') {
            if (!takeFile(arg))
                return refused(arg.empty() ? "an empty file name"
                                           : "only one recording can be watched at a time");
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            line.action = CommandLine::Action::help;
        } else if (arg == "--version") {
            if (line.action != CommandLine::Action::help)
                line.action = CommandLine::Action::version;
        } else if (arg == "--windowed") {
            line.fullScreen = false;
        } else if (arg == "--fullscreen") {
            line.fullScreen = true;
        } else if (arg == "--replay") {
            if (i + 1 >= args.size())
                return refused("--replay needs a file");
            if (!takeFile(args[++i] ? args[i] : ""))
                return refused("only one recording can be watched at a time");
        } else if (arg.starts_with("--replay=")) {
            if (!takeFile(arg.substr(9)))
                return refused("--replay needs a file");
        } else {
            return refused("unknown option " + std::string(arg));
        }
    }
    return line;
}

std::string usageText(const std::string& program) {
    return "Usage: " + program +
           " [OPTION]... [FILE.rpl]\n"
           "A horizontally scrolling shoot-'em-up with illustrated talk scenes.\n"
           "\n"
           "  FILE.rpl, --replay FILE  watch a recorded play, then go on to the title menu\n"
           "  --windowed               start in a window (the default)\n"
           "  --fullscreen             start in full screen (the configuration can switch back)\n"
           "  --help                   show this help and exit\n"
           "  --version                show the version and exit\n"
           "\n"
           "The settings and the last play's recording (last_stage.rpl) are kept in\n"
           "$XDG_DATA_HOME/mirelune (by default ~/.local/share/mirelune).\n";
}

std::string versionText() {
    return std::string("mirelune ") + MIRELUNE_VERSION_TEXT + "\n";
}

std::optional<int> earlyExitStatus(const CommandLine& line) {
    switch (line.action) {
        case CommandLine::Action::help:
        case CommandLine::Action::version:
            return 0;
        case CommandLine::Action::usageError:
            return 2;
        case CommandLine::Action::play:
            break;
    }
    return std::nullopt;
}

}  // namespace ml
