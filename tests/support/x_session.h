#pragma once

// End-to-end helpers: a private Xvfb server, the real viewer as a child
// process with its console on pipes, and the X requests a user's actions and
// eyes amount to (find the window, read its pixels, press keys, click).

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb& other) const { return r == other.r && g == other.g && b == other.b; }
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // row by row, top row first

    const Rgb& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const Image& other) const
    {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
};

// The hand's golden yellow as lighting leaves it: red leads, blue trails.
bool isGolden(const Rgb& p);
bool isBlack(const Rgb& p);

// An Xvfb server on a free display number, ended with the object.
class VirtualScreen {
public:
    VirtualScreen(int width = 1024, int height = 768);
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    const std::string& name() const { return name_; }  // e.g. ":5"
    Display* display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string name_;
    Display* display_ = nullptr;
};

struct Geometry {
    int x, y, width, height;
};

// A program running on the virtual screen with its console on pipes, or its
// standard input read from `inputPath` when one is given.
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& argv, const std::string& displayName,
                 const std::string& inputPath = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void write(const std::string& text);
    void closeInput();
    // Everything printed so far, waiting up to `patience` for `expected` bytes.
    std::string output(size_t expected, Clock::duration patience);
    // The exit status (or 128 + signal), or -1 if still running at the deadline.
    int waitForExit(Clock::duration patience);
    bool running();
    void terminate();

private:
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string printed_;
    int status_ = -1;
};

// The top-level window titled `title`, once it is viewable; 0 at the deadline.
Window waitForWindow(Display* display, const std::string& title, Clock::duration patience);

// Waits until `window` is no longer among the screen's windows: a viewer
// that has ended leaves its window until the server closes its connection.
void waitForWindowGone(Display* display, Window window, Clock::duration patience);

Geometry geometryOf(Display* display, Window window);
Image capture(Display* display, Window window);
// Captures until the window shows something other than black.
Image waitForPicture(Display* display, Window window, Clock::duration patience);
// Captures until two pictures in a row agree, i.e. drawing has settled.
// Only for a first frame: after a change, a slow frame leaves the old
// picture standing still, so wait for what the change should show instead.
Image waitForStillPicture(Display* display, Window window, Clock::duration patience);

// Real input through the XTEST extension, aimed at `window`.
void pressKey(Display* display, Window window, unsigned long keysym);
void clickMouse(Display* display, Window window, unsigned int button);
// A round trip through the server: all input sent so far has been delivered.
void sync(Display* display);

// How many pixels of `image` satisfy `test` inside the given rectangle.
template <typename Test>
int countPixels(const Image& image, Test test, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1)
{
    if (x1 < 0)
        x1 = image.width;
    if (y1 < 0)
        y1 = image.height;
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            count += test(image.at(x, y)) ? 1 : 0;
    return count;
}

// Full path of the viewer under test, set by the build.
std::string viewerPath();
