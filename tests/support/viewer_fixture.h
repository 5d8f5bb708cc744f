#pragma once

// A test fixture that runs the real viewer on its own Xvfb, one per suite.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <thread>

#include "x_session.h"

const std::string viewerPrompt = "FullScreen?(y/n) ";

class ViewerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { screen = std::make_unique<VirtualScreen>(); }
    static void TearDownTestSuite() { screen.reset(); }

    void TearDown() override { stop(); }

    // Starts the viewer, answers the prompt (or closes its console when
    // `answer` is null) and waits for its window, found by its title: the
    // program's path, as the viewer was started with it.
    Window start(const char* answer, const std::string& program = viewerPath())
    {
        return start(std::vector<std::string>{program}, answer ? std::string(answer) : "", !answer);
    }

    // The same for any command line whose last word runs the viewer, with
    // standard input read from `inputPath` instead of the test's answer, and
    // the window found by `title` when the viewer is not titled by that word.
    Window start(const std::vector<std::string>& command, const std::string& answer,
                 bool closeInput, const std::string& inputPath = "", std::string title = "")
    {
        viewer = std::make_unique<ChildProcess>(command, screen->name(), inputPath);
        EXPECT_EQ(viewer->output(viewerPrompt.size(), 60s), viewerPrompt);
        if (!answer.empty())
            viewer->write(answer);
        if (closeInput)
            viewer->closeInput();
        if (title.empty())
            title = command.back();
        window = waitForWindow(display(), title, 60s);
        EXPECT_NE(window, 0u) << "no viewer window appeared";
        return window;
    }

    // Starts with the 300 x 300 window and returns its first, settled frame.
    Image startAtRest(const std::string& program = viewerPath())
    {
        if (!start("n\n", program))
            return {};
        return waitForStillPicture(display(), window, 10s);
    }

    void stop()
    {
        if (viewer) {
            viewer->terminate();
            EXPECT_NE(viewer->waitForExit(5s), -1);
            viewer.reset();
            if (window)
                waitForWindowGone(display(), window, 5s);
            window = 0;
        }
    }

    // GLUT makes a window full screen only after mapping it, so its size
    // settles a moment after its first picture.
    Geometry waitForScreenSize(Clock::duration patience = 10s)
    {
        const int screenWidth = DisplayWidth(display(), DefaultScreen(display()));
        const auto deadline = Clock::now() + patience;
        Geometry g = geometryOf(display(), window);
        while (g.width != screenWidth && Clock::now() < deadline) {
            std::this_thread::sleep_for(20ms);
            g = geometryOf(display(), window);
        }
        return g;
    }

    void press(unsigned long keysym, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            pressKey(display(), window, keysym);
    }

    // Captures until `wanted` holds for the picture, or the patience runs out.
    template <typename Wanted>
    Image waitForPictureWhere(Wanted wanted, Clock::duration patience = 10s)
    {
        const auto deadline = Clock::now() + patience;
        Image image = capture(display(), window);
        while (!wanted(image) && Clock::now() < deadline) {
            std::this_thread::sleep_for(20ms);
            image = capture(display(), window);
        }
        return image;
    }

    // Waits for the window to show exactly `expected`.
    Image waitUntilShowing(const Image& expected, Clock::duration patience = 10s)
    {
        return waitForPictureWhere([&](const Image& i) { return i == expected; }, patience);
    }

    // Waits for the window to show anything but `previous`.
    Image waitForChangeFrom(const Image& previous)
    {
        return waitForPictureWhere([&](const Image& i) { return !(i == previous); });
    }

    static Display* display() { return screen->display(); }

    static inline std::unique_ptr<VirtualScreen> screen;
    std::unique_ptr<ChildProcess> viewer;
    Window window = 0;
};

struct Pixel {
    int x, y;
};

// Where a point of the hand's frame appears in the 300 x 300 window at rest:
// the hand's origin sits at (0, -5, -25) in eye space, seen through a
// 55-degree perspective.
inline Pixel restPixel(double x, double y, double z)
{
    const double focal = 1.0 / std::tan(55.0 / 2.0 * M_PI / 180.0);
    const double depth = 25.0 - z;
    const double ndcX = focal * x / depth;
    const double ndcY = focal * (y - 5.0) / depth;
    return {static_cast<int>(std::lround((ndcX + 1.0) * 150.0)),
            static_cast<int>(std::lround((1.0 - ndcY) * 150.0))};
}

// How many golden pixels lie within `radius` of `centre`.
inline int goldenAround(const Image& image, Pixel centre, int radius = 2)
{
    return countPixels(image, isGolden, centre.x - radius, centre.y - radius,
                       centre.x + radius + 1, centre.y + radius + 1);
}
