#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace ml {
namespace {

CommandLine parse(std::vector<const char*> args) {
    return parseCommandLine(args);
}

TEST(CommandLineTest, NoArgumentsPlaysAsTheSettingsSay) {
    const CommandLine line = parse({});
    EXPECT_EQ(line.action, CommandLine::Action::play);
    EXPECT_TRUE(line.replayFile.empty());
    EXPECT_FALSE(line.fullScreen.has_value());
    EXPECT_FALSE(earlyExitStatus(line).has_value());
}

TEST(CommandLineTest, HelpAndVersionEndAtOnceWithZero) {
    EXPECT_EQ(earlyExitStatus(parse({"--help"})), 0);
    EXPECT_EQ(parse({"-h"}).action, CommandLine::Action::help);
    EXPECT_EQ(parse({"--version"}).action, CommandLine::Action::version);
    EXPECT_EQ(earlyExitStatus(parse({"--version"})), 0);
    // Asked for both, the help is the more useful answer.
    EXPECT_EQ(parse({"--help", "--version"}).action, CommandLine::Action::help);
    EXPECT_EQ(parse({"--version", "--help"}).action, CommandLine::Action::help);
    EXPECT_EQ(versionText().rfind("mirelune ", 0), 0u);
    EXPECT_NE(usageText("mirelune").find("--replay"), std::string::npos);
}

TEST(CommandLineTest, ARecordingIsNamedByOptionOrAlone) {
    EXPECT_EQ(parse({"--replay", "a.rpl"}).replayFile, "a.rpl");
    EXPECT_EQ(parse({"--replay=b.rpl"}).replayFile, "b.rpl");
    EXPECT_EQ(parse({"c.rpl"}).replayFile, "c.rpl");
    // After "--" a name that looks like an option is a file.
    EXPECT_EQ(parse({"--", "-odd.rpl"}).replayFile, "-odd.rpl");
    const CommandLine both = parse({"--fullscreen", "d.rpl", "--windowed"});
    EXPECT_EQ(both.replayFile, "d.rpl");
    EXPECT_EQ(both.fullScreen, false);
    EXPECT_EQ(parse({"--windowed", "--fullscreen"}).fullScreen, true);
}

TEST(CommandLineTest, BadArgumentsAreUsageErrorsWithStatusTwo) {
    for (const auto& args : std::vector<std::vector<const char*>>{{"--frobnicate"},
                                                                  {"--replay"},
                                                                  {"--replay="},
                                                                  {"a.rpl", "b.rpl"},
                                                                  {"--replay", "a.rpl", "b.rpl"},
                                                                  {""},
                                                                  {"-x"}}) {
        const CommandLine line = parse(args);
        EXPECT_EQ(line.action, CommandLine::Action::usageError) << args[0];
        EXPECT_FALSE(line.error.empty());
        EXPECT_EQ(earlyExitStatus(line), 2);
    }
    EXPECT_NE(parse({"--frobnicate"}).error.find("--frobnicate"), std::string::npos);
}

}  // namespace
}  // namespace ml
