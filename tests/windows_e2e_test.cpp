// The Windows program that scripts/windows.sh cross-builds, run under Wine
// on a private Xvfb as a user would run it: its prompt, its pictures against
// hand-snapshot's, full screen, Escape, and a zip that needs nothing else.

// The fixture brings GoogleTest in before Xlib, whose macros would clash with it.
#include "support/snapshot_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <set>

#include <X11/keysym.h>

namespace {

const std::string windowsViewer = HAND_WINDOWS_VIEWER;
const std::string windowsZip = HAND_WINDOWS_ZIP;

// Wine names a program started by its Unix path with drive Z:, and GLUT
// titles the window with that name.
std::string titleUnderWine(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

class UnderWine : public SnapshotTest {
protected:
    // The prefix is made once per test run, before any of these tests.
    static void SetUpTestSuite()
    {
        setenv("WINEPREFIX", HAND_WINE_PREFIX, 1);
        setenv("WINEDEBUG", "-all", 1);
        SnapshotTest::SetUpTestSuite();
    }

    // Starts the program under Wine and answers (or closes its console when
    // `answer` is null, or reads it from `inputPath`).
    Window startUnderWine(const char* answer, const std::string& inputPath = "")
    {
        return start({"wine", windowsViewer}, answer ? answer : "", !answer && inputPath.empty(),
                     inputPath, titleUnderWine(windowsViewer));
    }

    // Waits for the window to show `expected`, as the image tests compare.
    int differenceOnceShowing(const Image& expected)
    {
        const Image shown = waitForPictureWhere(
            [&](const Image& i) { return differingPixels(i, expected) <= differenceBound; });
        return differingPixels(shown, expected);
    }
};

TEST_F(UnderWine, AskedNoItShowsTheNativeFirstFrame)
{
    const auto started = Clock::now();
    ASSERT_NE(startUnderWine("n\n"), 0u) << "Wine did not open the viewer's window";
    EXPECT_EQ(differenceOnceShowing(pose("")), 0);
    std::printf("first frame under Wine %lld ms after start\n",
                static_cast<long long>((Clock::now() - started) / 1ms));
    const Geometry g = geometryOf(display(), window);
    EXPECT_EQ(g.width, 300);
    EXPECT_EQ(g.height, 300);
    EXPECT_EQ(viewer->output(viewerPrompt.size() + 1, 300ms), viewerPrompt);
}

TEST_F(UnderWine, KeysPlayTheSameFramesAsHandSnapshot)
{
    ASSERT_NE(startUnderWine("n\n"), 0u);
    differenceOnceShowing(pose(""));
    press('/');
    EXPECT_EQ(differenceOnceShowing(pose("--keys /")), 0);
    press('4');
    EXPECT_EQ(differenceOnceShowing(pose("--keys /4")), 0);
    press('q');
    press('.');
    EXPECT_EQ(differenceOnceShowing(pose("--keys /4q.")), 0);
}

TEST_F(UnderWine, YesFillsTheScreenAndEndOfInputKeepsTheWindow)
{
    ASSERT_NE(startUnderWine("y"), 0u);
    const Geometry full = waitForScreenSize();
    const int screenWidth = DisplayWidth(display(), DefaultScreen(display()));
    const int screenHeight = DisplayHeight(display(), DefaultScreen(display()));
    EXPECT_EQ(full.width, screenWidth);
    EXPECT_EQ(full.height, screenHeight);
    EXPECT_EQ(differenceOnceShowing(pose("--size " + std::to_string(screenWidth) + "x" +
                                         std::to_string(screenHeight))),
              0);
    stop();

    ASSERT_NE(startUnderWine(nullptr, "/dev/null"), 0u);
    waitForPicture(display(), window, 10s);
    const Geometry g = geometryOf(display(), window);
    EXPECT_EQ(g.width, 300);
    EXPECT_EQ(g.height, 300);
}

TEST_F(UnderWine, EscapeEndsWithStatusZero)
{
    ASSERT_NE(startUnderWine("n\n"), 0u);
    waitForPicture(display(), window, 10s);
    press(XK_Escape);
    EXPECT_EQ(viewer->waitForExit(5s), 0);
}

// Windows brings these itself; anything else would have to be installed.
const std::set<std::string> windowsOwnLibraries = {
    "ADVAPI32.dll", "GDI32.dll",  "GLU32.dll", "KERNEL32.dll",
    "msvcrt.dll",   "OPENGL32.dll", "USER32.dll", "WINMM.dll",
};

TEST(WindowsZip, HoldsAProgramThatNeedsOnlyWindowsOwnLibraries)
{
    const CommandResult listing = runShell("unzip -Z1 " + windowsZip);
    ASSERT_EQ(listing.status, 0) << listing.output;
    const std::string folder = "hand-viewer-" HAND_VIEWER_VERSION "-windows-x64/";
    EXPECT_EQ(listing.output, folder + "freeglut-COPYING.txt\n" + folder + "README.txt\n" +
                                  folder + "LICENSE.txt\n" + folder + "hand-viewer.exe\n");

    const std::string exe = "unzip -p " + windowsZip + " " + folder + "hand-viewer.exe";
    const CommandResult headers = runShell(exe + " > /tmp/hand-viewer-zipped.exe && " HAND_OBJDUMP
                                           " -p /tmp/hand-viewer-zipped.exe; rm -f /tmp/hand-viewer-zipped.exe");
    ASSERT_EQ(headers.status, 0) << headers.output;
    std::set<std::string> imported;
    const std::regex dllName(R"(DLL Name: (\S+))");
    for (std::sregex_iterator m(headers.output.begin(), headers.output.end(), dllName), end; m != end; ++m)
        imported.insert((*m)[1]);
    EXPECT_FALSE(imported.empty());
    for (const std::string& library : imported)
        EXPECT_EQ(windowsOwnLibraries.count(library), 1u) << library << " is not Windows' own";

    // Resource types, at the top of the resource tree, that Explorer reads:
    // an icon group (14) and the version (16).
    EXPECT_TRUE(std::regex_search(headers.output, std::regex("[0-9a-f]   Entry: ID: 0x00000e,")))
        << "no icon";
    EXPECT_TRUE(std::regex_search(headers.output, std::regex("[0-9a-f]   Entry: ID: 0x000010,")))
        << "no version information";
    EXPECT_NE(headers.output.find("symbols stripped"), std::string::npos);
    EXPECT_NE(headers.output.find("debugging information removed"), std::string::npos);
}

}  // namespace
