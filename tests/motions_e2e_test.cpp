// Motion keys typed into the real viewer: each motion plays inside its key
// press, and keys typed meanwhile are served after it, in order.

#include <X11/keysym.h>

#include "support/viewer_fixture.h"

namespace {

using MotionsInTheWindow = ViewerTest;

// The open fingers stand above this row of the window; a fist stays below it.
const int fingerRow = restPixel(0.0, 8.0, 0.0).y;

bool nothingLitAboveTheFist(const Image& image)
{
    return countPixels(image, [](const Rgb& p) { return !isBlack(p); }, 0, 0, image.width,
                       fingerRow) == 0;
}

TEST_F(MotionsInTheWindow, CloseMakesAFistAndBackspaceBringsTheFirstPictureBack)
{
    const Image rest = startAtRest();
    ASSERT_FALSE(rest.pixels.empty());
    ASSERT_FALSE(nothingLitAboveTheFist(rest));

    press(XK_slash);
    const Image fist = waitForPictureWhere(nothingLitAboveTheFist);
    EXPECT_TRUE(nothingLitAboveTheFist(fist));
    EXPECT_GT(countPixels(fist, isGolden), 1000) << "the fist is still drawn";

    press(XK_BackSpace);
    const Image home = waitUntilShowing(rest);
    EXPECT_TRUE(home == rest);
}

TEST_F(MotionsInTheWindow, KeysTypedDuringMotionsAreServedAfterThemInOrder)
{
    const Image rest = startAtRest();
    ASSERT_FALSE(rest.pixels.empty());
    press(XK_period);
    const Image turned = waitForChangeFrom(rest);
    press(XK_comma);
    ASSERT_TRUE(waitUntilShowing(rest) == rest);

    // Only if every motion ran to its end, Backspace last, does the final
    // turn show the hand exactly as the single turn above did.
    for (unsigned long key : {XK_slash, XK_plus, XK_4, XK_BackSpace, XK_period})
        press(key);
    const Image end = waitUntilShowing(turned, 60s);
    EXPECT_TRUE(end == turned);
}

TEST_F(MotionsInTheWindow, EscapeAtTheEndOfABurstEndsTheViewerCleanly)
{
    ASSERT_FALSE(startAtRest().pixels.empty());
    for (unsigned long key : {XK_slash, XK_plus, XK_4, XK_BackSpace, XK_Escape})
        press(key);
    EXPECT_EQ(viewer->waitForExit(60s), 0);
}

}  // namespace
