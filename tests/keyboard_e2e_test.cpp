// Real key presses and clicks through the X server into the real viewer.

#include <X11/keysym.h>

#include "support/viewer_fixture.h"

namespace {

using KeysInTheWindow = ViewerTest;

// Middles of the little and ring fingers' middle segments, at rest.
const Pixel littleFinger = restPixel(-3.0, 6.0 + 1.6 + 0.7, 0.0);
const Pixel ringFinger = restPixel(-1.5, 6.0 + 2.4 + 1.05, 0.0);

TEST_F(KeysInTheWindow, EscapeEndsTheViewerWithStatusZero)
{
    ASSERT_FALSE(startAtRest().pixels.empty());
    press(XK_Escape);
    EXPECT_EQ(viewer->waitForExit(5s), 0);
}

TEST_F(KeysInTheWindow, TwentyBendsCurlTheLittleFingerDown)
{
    const Image rest = startAtRest();
    ASSERT_FALSE(rest.pixels.empty());
    ASSERT_GT(goldenAround(rest, littleFinger), 20);
    ASSERT_GT(goldenAround(rest, ringFinger), 20);

    press(XK_q, 20);
    const Image bent = waitForPictureWhere(
        [](const Image& i) { return goldenAround(i, littleFinger) == 0; });
    EXPECT_EQ(goldenAround(bent, littleFinger), 0);
    EXPECT_GT(goldenAround(bent, ringFinger), 20);
}

TEST_F(KeysInTheWindow, SeventyTwoTurnsComeBackToTheFirstPicture)
{
    const Image rest = startAtRest();
    ASSERT_FALSE(rest.pixels.empty());

    press(XK_period);
    const Image turned = waitForChangeFrom(rest);
    EXPECT_FALSE(turned == rest);

    press(XK_period, 71);
    const Image back = waitUntilShowing(rest);
    EXPECT_TRUE(back == rest);
}

TEST_F(KeysInTheWindow, ArrowsFunctionKeysAndClicksDoNothing)
{
    const Image rest = startAtRest();
    ASSERT_FALSE(rest.pixels.empty());

    press(XK_Left);
    press(XK_Right);
    press(XK_Up);
    press(XK_Down);
    press(XK_F1);
    press(XK_Q);  // upper case: unbound
    for (unsigned int button : {1u, 2u, 3u, 4u, 5u})
        clickMouse(display(), window, button);

    // The server delivers events in order, so once a turn shows, everything
    // sent before it has been served; turning back must give the first picture.
    press(XK_period);
    waitForChangeFrom(rest);
    press(XK_comma);
    const Image back = waitUntilShowing(rest);
    EXPECT_TRUE(back == rest);
    EXPECT_TRUE(viewer->running());
}

}  // namespace
