// The real hand-viewer on a private Xvfb: its console, its window and the
// pixels of its first frame.

#include "support/viewer_fixture.h"

namespace {

using ViewerWindow = ViewerTest;

TEST_F(ViewerWindow, PromptsWithExactBytesAndPrintsNothingElse)
{
    start("n\n");
    ASSERT_NE(window, 0u);
    waitForPicture(display(), window, 10s);
    EXPECT_EQ(viewer->output(viewerPrompt.size() + 1, 300ms), viewerPrompt);
}

TEST_F(ViewerWindow, AnythingButLowerCaseYGivesTheSmallWindow)
{
    const char* answers[] = {"n\n", "Y\n", "\n", nullptr, "yes"};
    const bool fullScreen[] = {false, false, false, false, true};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(answers[i] ? answers[i] : "(closed input)");
        start(answers[i]);
        ASSERT_NE(window, 0u);
        waitForPicture(display(), window, 10s);
        const Geometry g = fullScreen[i] ? waitForScreenSize() : geometryOf(display(), window);
        if (fullScreen[i]) {
            // Without a window manager GLUT places the full-screen window as it
            // sees fit; it always takes the screen's size.
            EXPECT_EQ(g.width, DisplayWidth(display(), DefaultScreen(display())));
            EXPECT_EQ(g.height, DisplayHeight(display(), DefaultScreen(display())));
        } else {
            EXPECT_EQ(g.x, 200);
            EXPECT_EQ(g.y, 200);
            EXPECT_EQ(g.width, 300);
            EXPECT_EQ(g.height, 300);
        }
        stop();
    }
}

TEST_F(ViewerWindow, FirstFrameShowsTheOpenHandPalmForward)
{
    const Image frame = startAtRest();
    ASSERT_FALSE(frame.pixels.empty());
    const int w = frame.width;
    const int h = frame.height;

    // Golden hand on black, nothing else.
    const int golden = countPixels(frame, isGolden);
    const int black = countPixels(frame, isBlack);
    EXPECT_GT(golden, w * h / 20);
    EXPECT_GT(black, w * h / 2);
    EXPECT_TRUE(isBlack(frame.at(0, 0)) && isBlack(frame.at(w - 1, h - 1)));

    // The highest and lowest lit rows of the hand.
    int top = h, bottom = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!isBlack(frame.at(x, y))) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }

    // Just above the hand's lowest row only the palm is lit: it straddles the
    // vertical centre line, and its centre (about half its width higher up,
    // as it is about as tall as wide) lies below the window's middle.
    const int palmRow = bottom - 3;
    int palmLeft = w, palmRight = -1;
    for (int x = 0; x < w; ++x)
        if (isGolden(frame.at(x, palmRow))) {
            palmLeft = std::min(palmLeft, x);
            palmRight = std::max(palmRight, x);
        }
    ASSERT_GE(palmRight, 0);
    EXPECT_LT(palmLeft, w / 2);
    EXPECT_GT(palmRight, w / 2);
    EXPECT_GT(palmRow - (palmRight - palmLeft) / 2, h / 2);

    // The fingers reach well above the middle.
    EXPECT_LT(top, h / 2 - h / 5);
    // The thumb stands out to the right of the palm, below the knuckles.
    const int thumbPixels = countPixels(frame, isGolden, palmRight + 2, h / 2, w, h);
    EXPECT_GT(thumbPixels, 100);
    const int leftOfPalm = countPixels(frame, isGolden, 0, h / 2, palmLeft - 2, h);
    EXPECT_EQ(leftOfPalm, 0);
}

}  // namespace
