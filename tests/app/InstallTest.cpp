// The installed game: `cmake --install` into a temporary DESTDIR, the tree
// made read-only, and the installed program run headless (SDL's dummy
// drivers) from an unrelated working folder. It plays the logo into the menu
// and is ended by SIGTERM, which must end it as the window's close does:
// the settings are saved, in $XDG_DATA_HOME/mirelune, never under the
// prefix. A second start reads them back; a setting.env beside the program
// (an older version's) is brought over. A build-folder copy of the program
// still keeps its files beside itself.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/io/KeyValueFile.h"
#include "engine/io/Scrambler.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using namespace mirelune::test;
using veru::YString;

namespace {

constexpr const char* kAppId = "io.github.mirelune.Mirelune";

std::string quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

std::string readText(const fs::path& p) {
    std::ifstream in(p);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs a shell command, its output in `log`; true on exit status 0.
bool run(const std::string& command, const fs::path& log) {
    return std::system((command + " > " + quoted(log) + " 2>&1").c_str()) == 0;
}

struct Outcome {
    bool exited = false;
    int status = -1;
    std::string output;
};

// Starts `program` in `folder` with a clean environment plus `env`, lets it
// run `seconds` (the logo takes under 3 s, then the menu), sends SIGTERM and
// waits for its end (killed after 30 s).
Outcome playAndTerminate(const fs::path& program, const fs::path& folder,
                         const std::vector<std::string>& env, double seconds, const fs::path& log) {
    Outcome outcome;
    // Everything the child needs is made before the fork: it only calls the system.
    std::vector<std::string> all = env;
    all.push_back("SDL_VIDEODRIVER=dummy");
    all.push_back("SDL_AUDIODRIVER=dummy");
    all.push_back("PATH=/usr/bin:/bin");
    // The sanitizer build's settings (suppressions, fatal reports) go along.
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
        if (const char* value = std::getenv(name))
            all.push_back(std::string(name) + "=" + value);
    }
    std::vector<char*> envp;
    for (std::string& e : all)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string path = program.string();
    char* argv[] = {path.data(), nullptr};
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(folder.c_str()) != 0)
            ::_exit(126);
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, 1);
        ::dup2(out, 2);
        ::execve(path.c_str(), argv, envp.data());
        ::_exit(127);
    }
    if (pid < 0)
        return outcome;
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    ::kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 300; ++i) {
        if (::waitpid(pid, &status, WNOHANG) == pid) {
            outcome.exited = WIFEXITED(status);
            outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
            outcome.output = readText(log);
            return outcome;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    outcome.output = "did not end within 30 s of SIGTERM\n" + readText(log);
    return outcome;
}

void writeSettings(const fs::path& file, int score, int level) {
    fs::create_directories(file.parent_path());
    veru::io::KeyValueFile settings(enginePath(file), false);
    settings.set(u"SCORE", YString::fromInt(score));
    settings.set(u"LEVEL", YString::fromInt(level));
    settings.save();
}

std::vector<fs::path> filesUnder(const fs::path& root) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The tree made read-only for the test, writable again for its removal.
class ReadOnlyTree {
  public:
    explicit ReadOnlyTree(fs::path root) : root(std::move(root)) {
        std::system(("chmod -R a-w " + quoted(this->root)).c_str());
    }
    ~ReadOnlyTree() { std::system(("chmod -R u+w " + quoted(root)).c_str()); }

  private:
    fs::path root;
};

}  // namespace

TEST(Install, TheInstalledGameReadsItsDataBesideThePrefixAndSavesInXdgDataHome) {
    veru::io::registerGameFileKeys();
    TempDir dir;
    const fs::path destdir = dir.path() / "dest";
    const fs::path prefix = destdir / "usr";
    // A component of its own keeps the developer's install_manifest.txt.
    ASSERT_TRUE(run("DESTDIR=" + quoted(destdir) +
                        " '" CMAKE_COMMAND "' --install '" MIRELUNE_BUILD_DIR
                        "' --prefix /usr --component Unspecified",
                    dir.path() / "install.log"))
        << readText(dir.path() / "install.log");

    // What a desktop needs.
    const fs::path program = prefix / "games" / "mirelune";
    EXPECT_TRUE(fs::exists(program));
    for (const char* part : {"img/ICON.png", "script/stage_trial.dat", "sound"})
        EXPECT_TRUE(fs::exists(prefix / "share/games/mirelune" / part)) << part;
    const fs::path desktop = prefix / "share/applications" / (std::string(kAppId) + ".desktop");
    const fs::path metainfo = prefix / "share/metainfo" / (std::string(kAppId) + ".metainfo.xml");
    EXPECT_NE(readText(desktop).find("Exec=/usr/games/mirelune %f\n"), std::string::npos);
    for (const char* size :
         {"16x16", "22x22", "24x24", "32x32", "48x48", "64x64", "128x128", "256x256"})
        EXPECT_TRUE(fs::exists(prefix / "share/icons/hicolor" / size / "apps" /
                               (std::string(kAppId) + ".png")))
            << size;
    EXPECT_TRUE(
        fs::exists(prefix / "share/icons/hicolor/scalable/apps" / (std::string(kAppId) + ".svg")));
    EXPECT_TRUE(fs::exists(prefix / "share/man/man6/mirelune.6.gz"));
    EXPECT_TRUE(fs::exists(prefix / "share/mime/packages" / (std::string(kAppId) + ".xml")));
    EXPECT_TRUE(run("desktop-file-validate " + quoted(desktop), dir.path() / "desktop.log"))
        << readText(dir.path() / "desktop.log");
    EXPECT_TRUE(run("appstreamcli validate --no-net " + quoted(metainfo), dir.path() / "as.log"))
        << readText(dir.path() / "as.log");
    EXPECT_TRUE(run("man --warnings -l " + quoted(prefix / "share/man/man6/mirelune.6.gz"),
                    dir.path() / "man.log"))
        << readText(dir.path() / "man.log");

    const ReadOnlyTree readOnly(destdir);
    const std::vector<fs::path> installed = filesUnder(destdir);
    const fs::path elsewhere = dir.path() / "elsewhere";
    fs::create_directories(elsewhere);
    const fs::path xdg = dir.path() / "xdg";
    const std::vector<std::string> env = {"XDG_DATA_HOME=" + xdg.string(),
                                          "HOME=" + (dir.path() / "home").string()};
    const fs::path saved = xdg / "mirelune" / "setting.env";

    // First start: logo, menu, SIGTERM: the settings land in XDG_DATA_HOME.
    Outcome first = playAndTerminate(program, elsewhere, env, 5.0, dir.path() / "run1.log");
    EXPECT_TRUE(first.exited && first.status == 0) << first.status << "\n" << first.output;
    ASSERT_TRUE(fs::exists(saved)) << first.output;
    EXPECT_EQ(veru::io::KeyValueFile(enginePath(saved)).get(u"LEVEL"), YString(u"11"));
    EXPECT_EQ(filesUnder(destdir), installed);  // nothing written under the prefix
    EXPECT_TRUE(fs::is_empty(elsewhere));       // nor in the working folder

    // Read back on the next start: what the player had is saved again.
    writeSettings(saved, 123456, 12);
    Outcome second = playAndTerminate(program, elsewhere, env, 4.0, dir.path() / "run2.log");
    EXPECT_TRUE(second.exited && second.status == 0) << second.status << "\n" << second.output;
    veru::io::KeyValueFile again(enginePath(saved));
    EXPECT_EQ(again.get(u"SCORE"), YString(u"123456"));
    EXPECT_EQ(again.get(u"LEVEL"), YString(u"12"));
}

TEST(Install, AnOlderSettingsFileBesideTheProgramIsBroughtOverOnce) {
    veru::io::registerGameFileKeys();
    TempDir dir;
    const fs::path destdir = dir.path() / "dest";
    ASSERT_TRUE(run("DESTDIR=" + quoted(destdir) +
                        " '" CMAKE_COMMAND "' --install '" MIRELUNE_BUILD_DIR
                        "' --prefix /opt/mirelune --component Unspecified",
                    dir.path() / "install.log"))
        << readText(dir.path() / "install.log");
    const fs::path games = destdir / "opt/mirelune/games";
    writeSettings(games / "setting.env", 777, 10);
    const ReadOnlyTree readOnly(destdir);
    const fs::path xdg = dir.path() / "xdg";
    Outcome outcome =
        playAndTerminate(games / "mirelune", dir.path(), {"XDG_DATA_HOME=" + xdg.string()}, 4.0,
                         dir.path() / "run.log");
    EXPECT_TRUE(outcome.exited && outcome.status == 0) << outcome.status << "\n" << outcome.output;
    veru::io::KeyValueFile moved(enginePath(xdg / "mirelune" / "setting.env"));
    EXPECT_EQ(moved.get(u"SCORE"), YString(u"777"));
    EXPECT_EQ(moved.get(u"LEVEL"), YString(u"10"));
    EXPECT_EQ(veru::io::KeyValueFile(enginePath(games / "setting.env")).get(u"SCORE"),
              YString(u"777"));
}

TEST(Install, ABuildFolderRunKeepsItsFilesBesideTheProgram) {
    TempDir dir;
    const fs::path game = dir.path() / "game";
    fs::create_directories(game);
    fs::copy_file(fs::path(MIRELUNE_GAME_DATA) / "mirelune", game / "mirelune");
    for (const char* part : {"img", "sound", "script"})
        fs::create_directory_symlink(fs::path(MIRELUNE_GAME_DATA) / part, game / part);
    const fs::path xdg = dir.path() / "xdg";
    Outcome outcome =
        playAndTerminate(game / "mirelune", dir.path(), {"XDG_DATA_HOME=" + xdg.string()}, 4.0,
                         dir.path() / "run.log");
    EXPECT_TRUE(outcome.exited && outcome.status == 0) << outcome.status << "\n" << outcome.output;
    EXPECT_TRUE(fs::exists(game / "setting.env"));
    EXPECT_FALSE(fs::exists(xdg));
}
