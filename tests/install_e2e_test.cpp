// The project installed as a user or an administrator would install it:
// `cmake --install` into a prefix, and the Debian package that cpack makes.

#include <X11/keysym.h>
#include <sys/wait.h>

#include <fstream>
#include <map>
#include <sstream>

#include "support/shell.h"
#include "support/viewer_fixture.h"
// After GoogleTest: X11's macros would spoil its names.
#include "support/png_read.h"

namespace {

const std::string buildFolder = HAND_BUILD_DIR;

const int iconSizes[] = {48, 128, 256};

// What a user of the installed programs, a desktop menu or Debian's checks look for.
const std::vector<std::string> installedFiles = {
    "bin/hand-viewer", "bin/hand-snapshot", "share/man/man1/hand-viewer.1.gz",
    "share/man/man1/hand-snapshot.1.gz", "share/doc/hand-viewer/README.md",
    "share/doc/hand-viewer/copyright", "share/doc/hand-viewer/changelog.gz",
    "share/applications/hand-viewer.desktop", "share/icons/hicolor/48x48/apps/hand-viewer.png",
    "share/icons/hicolor/128x128/apps/hand-viewer.png",
    "share/icons/hicolor/256x256/apps/hand-viewer.png"};

// The value of `key` in a desktop entry, or "" when it has none.
std::string desktopValue(const std::string& entryPath, const std::string& key)
{
    std::ifstream entry(entryPath);
    for (std::string line; std::getline(entry, line);)
        if (line.rfind(key + "=", 0) == 0)
            return line.substr(key.size() + 1);
    return "";
}

class Installed : public ViewerTest {
protected:
    static void SetUpTestSuite()
    {
        ViewerTest::SetUpTestSuite();
        prefix = makeScratchFolder();
        installResult = runShell("cmake --install " + buildFolder + " --prefix " + prefix);
    }

    static void TearDownTestSuite()
    {
        runShell("rm -rf " + prefix);
        ViewerTest::TearDownTestSuite();
    }

    // Starts an installed viewer, checks its prompt and first frame, and
    // ends it with Escape.
    void expectRunsAndQuits(const std::string& program)
    {
        ASSERT_FALSE(startAtRest(program).pixels.empty());
        press(XK_Escape);
        EXPECT_EQ(viewer->waitForExit(5s), 0);
    }

    static inline std::string prefix;
    static inline CommandResult installResult;
};

TEST_F(Installed, PutsEachFileInItsPlace)
{
    ASSERT_EQ(installResult.status, 0) << installResult.output;
    for (const std::string& file : installedFiles)
        EXPECT_EQ(runShell("test -f " + prefix + "/" + file).status, 0) << file;
}

TEST_F(Installed, ViewerRunsAndQuitsWithEscape)
{
    ASSERT_EQ(installResult.status, 0) << installResult.output;
    expectRunsAndQuits(prefix + "/bin/hand-viewer");
}

TEST_F(Installed, ManualPagesRenderWithoutWarnings)
{
    ASSERT_EQ(installResult.status, 0) << installResult.output;
    const std::map<std::string, std::vector<std::string>> pages = {
        {"hand-viewer", {"FullScreen?(y/n)", "SYNOPSIS", "KEYS", "MOTIONS", "EXIT STATUS", "ENVIRONMENT"}},
        {"hand-snapshot", {"--keys", "SYNOPSIS", "OPTIONS", "EXIT STATUS", "ENVIRONMENT", "EXAMPLES"}}};
    for (const auto& [name, expected] : pages) {
        const std::string page = prefix + "/share/man/man1/" + name + ".1.gz";
        const CommandResult warnings = runShell("{ man --warnings -l " + page + " 2>&1 >/dev/null; }");
        EXPECT_EQ(warnings.status, 0) << name;
        EXPECT_EQ(warnings.output, "") << name;

        const std::string text = runShell("MANWIDTH=100 man -l " + page).output;
        EXPECT_NE(text.find(HAND_VIEWER_VERSION), std::string::npos) << name;
        for (const std::string& words : expected)
            EXPECT_NE(text.find(words), std::string::npos) << name << ": " << words;
    }
}

TEST_F(Installed, IconsHaveTheSizesTheirFoldersSay)
{
    ASSERT_EQ(installResult.status, 0) << installResult.output;
    for (int size : iconSizes) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const Image icon = readPng(prefix + "/share/icons/hicolor/" + folder + "/apps/hand-viewer.png");
        EXPECT_EQ(icon.width, size) << folder;
        EXPECT_EQ(icon.height, size) << folder;
        EXPECT_GT(countPixels(icon, isGolden), size * size / 10) << folder << ": the hand is drawn";
    }
}

// A menu starts the program with no terminal and no console to answer on:
// standard input is at its end, so the viewer takes it as "no".
TEST_F(Installed, DesktopEntryValidatesAndOpensTheWindowWithoutATerminal)
{
    ASSERT_EQ(installResult.status, 0) << installResult.output;
    const std::string entry = prefix + "/share/applications/hand-viewer.desktop";
    const CommandResult validation = runShell("desktop-file-validate " + entry);
    EXPECT_EQ(validation.status, 0);
    EXPECT_EQ(validation.output, "");
    EXPECT_EQ(desktopValue(entry, "Terminal"), "false");
    EXPECT_EQ(desktopValue(entry, "Icon"), "hand-viewer");

    std::vector<std::string> command = {"env", "PATH=" + prefix + "/bin:/usr/bin:/bin"};
    std::istringstream exec(desktopValue(entry, "Exec"));
    for (std::string word; exec >> word;)
        command.push_back(word);
    ASSERT_EQ(command.back(), "hand-viewer");
    ASSERT_NE(start(command, "", false, "/dev/null"), 0u);
    const Geometry g = geometryOf(display(), window);
    EXPECT_EQ(g.width, 300);
    EXPECT_EQ(g.height, 300);
    press(XK_Escape);
    EXPECT_EQ(viewer->waitForExit(5s), 0);
}

class DebianPackage : public Installed {
protected:
    static void SetUpTestSuite()
    {
        ViewerTest::SetUpTestSuite();
        prefix = makeScratchFolder();
        installResult = runShell("cd " + prefix + " && cpack -G DEB --config " + buildFolder +
                                 "/CPackConfig.cmake");
        package = runShell("ls " + prefix + "/*.deb").output;
        package = package.substr(0, package.find('\n'));
    }

    static inline std::string package;
};

TEST_F(DebianPackage, DescribesItselfAndDependsOnTheRuntimeLibraries)
{
    ASSERT_EQ(installResult.status, 0) << installResult.output;
    const std::string info = runShell("dpkg-deb --info " + package).output;
    for (const std::string field : {"Package: hand-viewer", "Version: " HAND_VIEWER_VERSION,
                                    "Maintainer: ", "Section: graphics", "Description: "})
        EXPECT_NE(info.find(field), std::string::npos) << field << "\n" << info;
    const std::string depends = info.substr(info.find("Depends:"));
    EXPECT_NE(depends.find("libglut"), std::string::npos) << depends;
    EXPECT_NE(depends.find("libglu1"), std::string::npos) << depends;

    const std::string contents = runShell("dpkg-deb --contents " + package).output;
    for (const std::string& file : installedFiles)
        EXPECT_NE(contents.find("./usr/" + file + "\n"), std::string::npos) << file;
}

TEST_F(DebianPackage, LintianFindsNoErrorOrWarning)
{
    ASSERT_EQ(installResult.status, 0) << installResult.output;
    const CommandResult lintian = runShell("lintian --allow-root " + package);
    EXPECT_EQ(lintian.status, 0) << lintian.output;
    std::istringstream lines(lintian.output);
    for (std::string line; std::getline(lines, line);)
        EXPECT_FALSE(line.rfind("E: ", 0) == 0 || line.rfind("W: ", 0) == 0) << line;
}

TEST_F(DebianPackage, ExtractedViewerRunsAndQuitsWithEscape)
{
    ASSERT_EQ(installResult.status, 0) << installResult.output;
    const std::string root = prefix + "/root";
    ASSERT_EQ(runShell("dpkg-deb -x " + package + " " + root).status, 0);
    expectRunsAndQuits(root + "/usr/bin/hand-viewer");
}

}  // namespace
