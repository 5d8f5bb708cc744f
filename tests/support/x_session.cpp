#include "x_session.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <thread>

bool isGolden(const Rgb& p)
{
    return p.r > 60 && p.g > p.r / 2 && p.g <= p.r && p.b < p.g;
}

bool isBlack(const Rgb& p)
{
    return p.r == 0 && p.g == 0 && p.b == 0;
}

namespace {

// Reads what is available on `fd` into `into` until `enough` says stop or the
// deadline passes. Returns false once the other end is closed.
template <typename Enough>
bool readUntil(int fd, std::string& into, Clock::time_point deadline, Enough enough)
{
    while (!enough()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return true;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char buffer[256];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        into.append(buffer, static_cast<size_t>(n));
    }
    return true;
}

[[noreturn]] void execOrDie(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

}  // namespace

namespace {

// An X error fails the test that caused it, instead of ending the whole run.
int reportXError(Display* display, XErrorEvent* error)
{
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "X error in request %d: %s\n", error->request_code, text);
    return 0;
}

}  // namespace

VirtualScreen::VirtualScreen(int width, int height)
{
    XSetErrorHandler(reportXError);
    int ready[2];
    if (pipe(ready) != 0)
        throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ == 0) {
        close(ready[0]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        // Xvfb picks a free display number and writes it to the pipe when ready.
        execOrDie({"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0", screen,
                   "-nolisten", "tcp", "-noreset"});
    }
    close(ready[1]);
    std::string number;
    readUntil(ready[0], number, Clock::now() + 20s,
              [&] { return number.find('\n') != std::string::npos; });
    close(ready[0]);
    if (number.find('\n') == std::string::npos)
        throw std::runtime_error("Xvfb did not start (is the xvfb package installed?)");
    name_ = ":" + number.substr(0, number.find('\n'));
    display_ = XOpenDisplay(name_.c_str());
    if (!display_)
        throw std::runtime_error("cannot open the virtual screen " + name_);
}

VirtualScreen::~VirtualScreen()
{
    if (display_)
        XCloseDisplay(display_);
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& displayName,
                           const std::string& inputPath)
{
    int in[2];
    int out[2];
    if (pipe(in) != 0 || pipe(out) != 0)
        throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ == 0) {
        if (inputPath.empty())
            dup2(in[0], STDIN_FILENO);
        else
            dup2(open(inputPath.c_str(), O_RDONLY), STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        for (int fd : {in[0], in[1], out[0], out[1]})
            close(fd);
        setenv("DISPLAY", displayName.c_str(), 1);
        execOrDie(argv);
    }
    close(in[0]);
    close(out[1]);
    input_ = in[1];
    output_ = out[0];
    // The viewer may exit before reading its input; that must not kill us.
    signal(SIGPIPE, SIG_IGN);
}

ChildProcess::~ChildProcess()
{
    if (running()) {
        kill(pid_, SIGKILL);
        waitForExit(5s);
    }
    closeInput();
    if (output_ >= 0)
        close(output_);
}

void ChildProcess::write(const std::string& text)
{
    if (::write(input_, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        throw std::runtime_error("cannot write to the child's input");
}

void ChildProcess::closeInput()
{
    if (input_ >= 0)
        close(input_);
    input_ = -1;
}

std::string ChildProcess::output(size_t expected, Clock::duration patience)
{
    readUntil(output_, printed_, Clock::now() + patience,
              [&] { return printed_.size() >= expected; });
    return printed_;
}

int ChildProcess::waitForExit(Clock::duration patience)
{
    const auto deadline = Clock::now() + patience;
    while (status_ < 0) {
        int raw = 0;
        const pid_t done = waitpid(pid_, &raw, WNOHANG);
        if (done == pid_)
            status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        else if (Clock::now() > deadline)
            return -1;
        else
            std::this_thread::sleep_for(10ms);
    }
    return status_;
}

bool ChildProcess::running()
{
    return waitForExit(0s) < 0;
}

void ChildProcess::terminate()
{
    if (running())
        kill(pid_, SIGTERM);
}

namespace {

Window findByTitle(Display* display, Window parent, const std::string& title)
{
    Window root = 0;
    Window ignored = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &ignored, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            if (title == name)
                found = children[i];
            XFree(name);
        }
    }
    if (children)
        XFree(children);
    return found;
}

bool viewable(Display* display, Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) &&
           attributes.map_state == IsViewable;
}

}  // namespace

Window waitForWindow(Display* display, const std::string& title, Clock::duration patience)
{
    const auto deadline = Clock::now() + patience;
    while (Clock::now() < deadline) {
        const Window window = findByTitle(display, DefaultRootWindow(display), title);
        if (window && viewable(display, window))
            return window;
        std::this_thread::sleep_for(20ms);
    }
    return 0;
}

void waitForWindowGone(Display* display, Window window, Clock::duration patience)
{
    const auto deadline = Clock::now() + patience;
    while (Clock::now() < deadline) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
            return;
        const bool present = std::find(children, children + count, window) != children + count;
        if (children)
            XFree(children);
        if (!present)
            return;
        std::this_thread::sleep_for(20ms);
    }
}

Geometry geometryOf(Display* display, Window window)
{
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

namespace {

// The server can only read the part of the window that lies on the screen.
XImage* readOnScreenPart(Display* display, Window window)
{
    const Geometry g = geometryOf(display, window);
    const int screenWidth = DisplayWidth(display, DefaultScreen(display));
    const int screenHeight = DisplayHeight(display, DefaultScreen(display));
    const int x0 = std::max(0, -g.x);
    const int y0 = std::max(0, -g.y);
    const int width = std::min(g.width, screenWidth - g.x) - x0;
    const int height = std::min(g.height, screenHeight - g.y) - y0;
    if (width <= 0 || height <= 0)
        return nullptr;
    return XGetImage(display, window, x0, y0, static_cast<unsigned>(width),
                     static_cast<unsigned>(height), AllPlanes, ZPixmap);
}

}  // namespace

Image capture(Display* display, Window window)
{
    // A window that GLUT is still moving or resizing (going full screen)
    // can change between reading its geometry and reading its pixels.
    XImage* raw = readOnScreenPart(display, window);
    for (int retry = 0; !raw && retry < 100; ++retry) {
        std::this_thread::sleep_for(20ms);
        raw = readOnScreenPart(display, window);
    }
    if (!raw)
        throw std::runtime_error("cannot read the window's pixels");
    const int width = raw->width;
    const int height = raw->height;
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.reserve(static_cast<size_t>(width) * height);
    auto channel = [](unsigned long pixel, unsigned long mask) {
        int shift = 0;
        while (mask && !(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        return static_cast<uint8_t>(((pixel >> shift) & mask) * 255 / (mask ? mask : 1));
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned long p = XGetPixel(raw, x, y);
            image.pixels.push_back({channel(p, raw->red_mask), channel(p, raw->green_mask),
                                    channel(p, raw->blue_mask)});
        }
    XDestroyImage(raw);
    return image;
}

Image waitForPicture(Display* display, Window window, Clock::duration patience)
{
    const auto deadline = Clock::now() + patience;
    Image image = capture(display, window);
    while (countPixels(image, [](const Rgb& p) { return !isBlack(p); }) == 0 &&
           Clock::now() < deadline) {
        std::this_thread::sleep_for(20ms);
        image = capture(display, window);
    }
    return image;
}

Image waitForStillPicture(Display* display, Window window, Clock::duration patience)
{
    const auto deadline = Clock::now() + patience;
    Image before = waitForPicture(display, window, patience);
    while (Clock::now() < deadline) {
        std::this_thread::sleep_for(150ms);
        Image now = capture(display, window);
        if (now == before)
            return now;
        before = std::move(now);
    }
    return before;
}

namespace {

void pointAt(Display* display, Window window)
{
    const Geometry g = geometryOf(display, window);
    XTestFakeMotionEvent(display, DefaultScreen(display), g.x + g.width / 2, g.y + g.height / 2,
                         CurrentTime);
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
}

}  // namespace

void pressKey(Display* display, Window window, unsigned long keysym)
{
    pointAt(display, window);
    const KeyCode code = XKeysymToKeycode(display, keysym);
    if (code == 0)
        throw std::runtime_error("no key on the virtual keyboard for keysym " + std::to_string(keysym));
    // Characters that need Shift on this keyboard get it, as a user would.
    const bool shifted = XkbKeycodeToKeysym(display, code, 0, 0) != keysym &&
                         XkbKeycodeToKeysym(display, code, 0, 1) == keysym;
    const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
    if (shifted)
        XTestFakeKeyEvent(display, shift, True, CurrentTime);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    if (shifted)
        XTestFakeKeyEvent(display, shift, False, CurrentTime);
    XFlush(display);
}

void clickMouse(Display* display, Window window, unsigned int button)
{
    pointAt(display, window);
    XTestFakeButtonEvent(display, button, True, CurrentTime);
    XTestFakeButtonEvent(display, button, False, CurrentTime);
    XFlush(display);
}

void sync(Display* display)
{
    XSync(display, False);
}

std::string viewerPath()
{
    return HAND_VIEWER_PATH;
}
