// The real viewer under abuse: odd console input, no display, extreme window
// sizes, a storm of real key presses and clicks, and memcheck.

#include <X11/keysym.h>

#include <random>

#include "support/shell.h"
#include "support/viewer_fixture.h"

namespace {

using Hardening = ViewerTest;

TEST_F(Hardening, OddConsoleInputNeverCrashesNorGoesFullScreenUnlessItStartsWithY)
{
    struct Case {
        std::string name;
        std::string answer;  // written to the console, then closed
        std::string inputPath;
        bool fullScreen;
    } cases[] = {
        {"a very long line", std::string(60000, 'n') + "\n", "", false},
        {"binary bytes", std::string("\0\xff\x80\x1b[y\n", 7), "", false},
        {"binary bytes after a y", std::string("y\0\xff\x80", 4), "", true},
        {"a closed console", "", "", false},
        {"/dev/null", "", "/dev/null", false},
        {"a directory", "", "/", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(start({viewerPath()}, c.answer, true, c.inputPath), 0u);
        waitForPicture(display(), window, 10s);
        const Geometry g = c.fullScreen ? waitForScreenSize() : geometryOf(display(), window);
        if (c.fullScreen) {
            EXPECT_EQ(g.width, DisplayWidth(display(), DefaultScreen(display())));
        } else {
            EXPECT_EQ(g.width, 300);
            EXPECT_EQ(g.height, 300);
        }
        EXPECT_TRUE(viewer->running());
        stop();
    }
}

TEST_F(Hardening, WithoutADisplayGlutSaysSoInOneLineAndTheViewerFails)
{
    for (const std::string environment : {"env -u DISPLAY", "env DISPLAY=:31999"}) {
        SCOPED_TRACE(environment);
        const CommandResult run =
            runShell("timeout 20 " + environment + " " + viewerPath() + " < /dev/null");
        EXPECT_NE(run.status, 0);
        EXPECT_NE(run.status, 124) << "it hung";
        EXPECT_LT(run.status, 128) << "it crashed";
        EXPECT_NE(run.output.find("freeglut"), std::string::npos) << run.output;
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    }
}

TEST_F(Hardening, ExtremeWindowSizesKeepTheHandDrawnAndInProportion)
{
    const Image rest = startAtRest();
    ASSERT_FALSE(rest.pixels.empty());

    // As small and as large as a window gets: the viewer keeps answering.
    for (unsigned int side : {1u, 8000u}) {
        XResizeWindow(display(), window, side, side);
        sync(display());
        press(XK_period);
        press(XK_comma);
    }

    // Three times as wide: the same hand, the same size, in the middle.
    // Rounding may move a pixel or two at an edge; a stretched hand would
    // move thousands.
    const auto differingFromRest = [&](const Image& i) {
        int differing = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 300; ++x)
                differing += !(i.at(x + 300, y) == rest.at(x, y));
        return differing;
    };
    XMoveResizeWindow(display(), window, 0, 200, 900, 300);
    sync(display());
    // The 8000 x 8000 frame may still be drawing on a slow machine, and until
    // it is done the window shows a corner of the old picture.
    const Image wide = waitForPictureWhere(
        [&](const Image& i) {
            return i.width == 900 && i.height == 300 && differingFromRest(i) < 20;
        },
        60s);
    ASSERT_EQ(wide.width, 900);
    EXPECT_LT(differingFromRest(wide), 20);
    const auto lit = [](const Rgb& p) { return !isBlack(p); };
    EXPECT_EQ(countPixels(wide, lit, 0, 0, 300, 300), 0);
    EXPECT_EQ(countPixels(wide, lit, 600, 0, 900, 300), 0);

    XResizeWindow(display(), window, 300, 300);
    sync(display());
    EXPECT_TRUE(waitUntilShowing(rest) == rest);
    EXPECT_TRUE(viewer->running());
}

TEST_F(Hardening, StormOfRealKeysAndClicksThenTheViewerStillAnswers)
{
    std::vector<unsigned long> keys = {XK_BackSpace, XK_Delete, XK_Left,  XK_Right, XK_Up,
                                       XK_Down,      XK_Tab,    XK_Return, XK_space};
    for (unsigned long k = XK_a; k <= XK_z; ++k)
        keys.push_back(k);
    for (unsigned long k = XK_A; k <= XK_Z; ++k)
        keys.push_back(k);
    for (unsigned long k = XK_0; k <= XK_9; ++k)
        keys.push_back(k);
    for (unsigned long k = XK_F1; k <= XK_F12; ++k)
        keys.push_back(k);
    for (unsigned long k : {XK_comma, XK_period, XK_bracketleft, XK_bracketright, XK_slash,
                            XK_plus, XK_minus, XK_asterisk, XK_semicolon, XK_apostrophe,
                            XK_backslash, XK_equal, XK_grave, XK_exclam, XK_at})
        keys.push_back(k);
    const unsigned long clickMarker = 0;  // stands for a mouse click in the draw
    keys.push_back(clickMarker);

    const unsigned int seed = std::random_device{}();
    SCOPED_TRACE("storm seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<size_t> pick(0, keys.size() - 1);
    std::uniform_int_distribution<unsigned int> button(1, 5);

    const Image rest = startAtRest();
    ASSERT_FALSE(rest.pixels.empty());
    for (int i = 0; i < 2000; ++i) {
        const unsigned long key = keys[pick(random)];
        if (key == clickMarker)
            clickMouse(display(), window, button(random));
        else
            press(key);
    }

    // Home after the storm is the first picture again, once it is served.
    press(XK_BackSpace);
    const Image home = waitUntilShowing(rest, 120s);
    EXPECT_TRUE(home == rest);
    press(XK_Escape);
    EXPECT_EQ(viewer->waitForExit(30s), 0);
}

TEST_F(Hardening, MemcheckFindsNothingOfTheViewersOwn)
{
    const std::string folder = makeScratchFolder();
    const std::string log = folder + "/memcheck.log";
    // Valgrind's status 99 means it found errors; otherwise it passes the
    // viewer's own status through.
    const std::vector<std::string> command = {
        "valgrind", "--error-exitcode=99", "--num-callers=50", "--leak-check=full", "--errors-for-leak-kinds=definite",
        "--show-leak-kinds=definite", "--suppressions=" HAND_VALGRIND_SUPPRESSIONS,
        "--log-file=" + log, viewerPath()};
    ASSERT_NE(start(command, "n\n", false), 0u);
    ASSERT_FALSE(waitForStillPicture(display(), window, 60s).pixels.empty());

    for (unsigned long key : {XK_slash, XK_1, XK_plus, XK_2, XK_BackSpace, XK_q, XK_comma,
                              XK_bracketleft, XK_9, XK_Left, XK_F1, XK_Escape})
        press(key);
    const int status = viewer->waitForExit(300s);
    EXPECT_EQ(status, 0) << runShell("grep -A30 -E 'Invalid|definitely lost in|ERROR SUMMARY' " + log).output;
    EXPECT_EQ(runShell("grep -c 'Invalid read\\|Invalid write' " + log).output, "0\n");
    runShell("rm -rf " + folder);
}

}  // namespace
