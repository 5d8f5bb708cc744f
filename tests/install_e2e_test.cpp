// The project installed as a user or an administrator would install it:
// `cmake --install` into a prefix, and the Debian package that cpack makes.

#include <X11/keysym.h>
#include <sys/wait.h>

#include "support/shell.h"
#include "support/viewer_fixture.h"

namespace {

const std::string buildFolder = HAND_BUILD_DIR;

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
    for (const char* file : {"bin/hand-viewer", "bin/hand-snapshot", "share/man/man1/hand-viewer.1",
                             "share/doc/hand-viewer/README.md", "share/doc/hand-viewer/LICENSE"})
        EXPECT_EQ(runShell("test -f " + prefix + "/" + file).status, 0) << file;
}

TEST_F(Installed, ViewerRunsAndQuitsWithEscape)
{
    ASSERT_EQ(installResult.status, 0) << installResult.output;
    expectRunsAndQuits(prefix + "/bin/hand-viewer");
}

TEST_F(Installed, ManualPageRendersWithoutWarnings)
{
    ASSERT_EQ(installResult.status, 0) << installResult.output;
    const std::string page = prefix + "/share/man/man1/hand-viewer.1";
    const CommandResult warnings = runShell("{ man --warnings -l " + page + " 2>&1 >/dev/null; }");
    EXPECT_EQ(warnings.status, 0);
    EXPECT_EQ(warnings.output, "");

    const CommandResult text = runShell("MANWIDTH=100 man -l " + page);
    EXPECT_NE(text.output.find("FullScreen?(y/n)"), std::string::npos);
    EXPECT_NE(text.output.find(HAND_VIEWER_VERSION), std::string::npos);
    for (const char* section : {"SYNOPSIS", "KEYS", "MOTIONS", "EXIT STATUS", "ENVIRONMENT"})
        EXPECT_NE(text.output.find(section), std::string::npos) << section;
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
    for (const char* file : {"./usr/bin/hand-viewer", "./usr/bin/hand-snapshot",
                             "./usr/share/man/man1/hand-viewer.1",
                             "./usr/share/doc/hand-viewer/README.md",
                             "./usr/share/doc/hand-viewer/LICENSE"})
        EXPECT_NE(contents.find(file), std::string::npos) << file;
}

TEST_F(DebianPackage, ExtractedViewerRunsAndQuitsWithEscape)
{
    ASSERT_EQ(installResult.status, 0) << installResult.output;
    const std::string root = prefix + "/root";
    ASSERT_EQ(runShell("dpkg-deb -x " + package + " " + root).status, 0);
    expectRunsAndQuits(root + "/usr/bin/hand-viewer");
}

}  // namespace
