// hand-snapshot: draws the hand in a pose, or through a key sequence, with
// the viewer's own model, drawing, scene and keys, and saves PNG pictures.

#include <GL/freeglut.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "call_changes.h"
#include "contact_sheet.h"
#include "joint_highlight.h"
#include "hand_model.h"
#include "joint_frames.h"
#include "keyboard.h"
#include "lesson_json.h"
#include "lesson_observer.h"
#include "png_file.h"
#include "pose.h"
#include "scene.h"
#include "snapshot_options.h"

namespace {

namespace fs = std::filesystem;

constexpr int badInput = 2;

SnapshotOptions options;
int framesDrawn = 0;
Picture lastFrame;
std::vector<Picture> sheetTiles;  // every `options.every`th frame, from the first

std::string frameName(const std::string& folder, int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%04d.png", number);
    return folder + name;
}

// Reads the frame just drawn from the back buffer, before it is swapped.
Picture readBackBuffer()
{
    Picture picture;
    picture.width = options.width;
    picture.height = options.height;
    picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, picture.width, picture.height, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());

    // GL's rows run bottom up; a PNG's run top down.
    const size_t rowBytes = static_cast<size_t>(picture.width) * 3;
    for (int top = 0, bottom = picture.height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(&picture.rgb[top * rowBytes], &picture.rgb[(top + 1) * rowBytes],
                         &picture.rgb[bottom * rowBytes]);
    return picture;
}

// Each frame is written as soon as it is drawn; only the contact sheet's
// tiles and the last frame are kept.
void keepFrame()
{
    observeFrameFinished();
    if (options.axes)
        drawJointAxes(lastJointFrames());
    drawSelectedJoint();
    lastFrame = readBackBuffer();
    ++framesDrawn;
    if (!options.framesDir.empty())
        writePng(frameName(options.framesDir, framesDrawn), lastFrame);
    if (!options.sheet.empty() && (framesDrawn - 1) % options.every == 0)
        sheetTiles.push_back(lastFrame);
}

void failWith(const std::string& message)
{
    std::fprintf(stderr, "hand-snapshot: %s\n", message.c_str());
    std::exit(badInput);
}

// The folder a file is written into: its own, or the current one.
fs::path folderOf(const std::string& file)
{
    const fs::path folder = fs::path(file).parent_path();
    return folder.empty() ? "." : folder;
}

// Finds out before any drawing whether every picture and the joint frames
// can be written, so that a failure leaves nothing behind.
void checkWritable()
{
    for (const std::string& file : {options.out, options.sheet, options.joints, options.calls}) {
        if (file.empty() || file == "-")
            continue;
        if (access(folderOf(file).c_str(), W_OK) != 0)
            failWith("cannot write into the folder of " + file);
        std::error_code unseen;  // a path that cannot be looked at fails when written
        if (fs::is_directory(file, unseen))
            failWith("cannot write " + file + ": it is a folder");
    }
    if (!options.framesDir.empty()) {
        std::error_code exists;  // an existing folder is fine; one that cannot be made fails below
        fs::create_directory(options.framesDir, exists);
        if (access(options.framesDir.c_str(), W_OK) != 0)
            failWith("cannot write into the folder " + options.framesDir);
    }
}

// Opens the display once to find out whether there is one. The connection
// stays open until the end: closing the server's last client would make it
// reset, and GLUT's own connection could then be refused.
Display* connectToDisplay()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        failWith("no X display to draw on; set DISPLAY, or draw on a virtual screen (Xvfb): "
                 "'xvfb-run -a hand-snapshot ...' (xvfb-run needs the packages xvfb and xauth)");
    return display;
}

// A window to draw in, never left on the screen: only its back buffer is read.
void openHiddenWindow(char* programName)
{
    int argc = 1;
    char* argv[] = {programName, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(options.width, options.height);
    glutCreateWindow(programName);
    // GLUT shows a new window at once; hiding it takes one turn of its loop,
    // which wants a display callback, though frames are drawn here directly.
    glutDisplayFunc(idleNoop);
    glutHideWindow();
    glutMainLoopEvent();
    initGLState();
    reshapeView(options.width, options.height);
}

// Plays the keys as the viewer would: a motion draws its own frames; any
// other key shows its change in the one frame its redisplay draws.
void play(const std::string& keys)
{
    if (keys.empty()) {
        displayScene();
        return;
    }
    for (char key : keys) {
        const int framesBefore = framesDrawn;
        onKey(static_cast<unsigned char>(key), 0, 0);
        if (framesDrawn == framesBefore)
            displayScene();
    }
}

// To FILE, or for "-" to standard output.
void writeJson(const std::string& file, const std::string& json, const char* what)
{
    if (file != "-")
        writeWholeTextFile(file, json);
    else if (std::fputs(json.c_str(), stdout) == EOF || std::fflush(stdout) != 0)
        throw WriteError(std::string("cannot write ") + what + " to standard output");
}

void writeLastFrameAndSheet()
{
    if (!options.out.empty())
        writePng(options.out, lastFrame);
    if (!options.sheet.empty()) {
        if ((framesDrawn - 1) % options.every != 0)  // the sheet always ends on the last frame
            sheetTiles.push_back(lastFrame);
        writePng(options.sheet, contactSheet(sheetTiles));
    }
}

// The calls asked to change, checked against the unchanged frame drawn
// first: the numbers name that frame's calls.
void changeCalls()
{
    if (options.skip.empty() && options.swap == 0 && options.edits.empty())
        return;
    static CallChanges asked;
    for (int number : options.skip)
        asked.off[number] = true;
    asked.swap = options.swap;
    for (const SnapshotOptions::Edit& edit : options.edits) {
        asked.edited[edit.number] = static_cast<int>(edit.args.size());
        std::copy_n(edit.args.begin(), std::min<size_t>(edit.args.size(), 4), asked.args[edit.number]);
    }
    const Sentence refusal = refusalOfChanges(lastFrameCalls(), asked);
    if (!refusal.empty())
        failWith(refusal.text);
    setCallChanges(asked);
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        options = parseSnapshotOptions(argc, argv);
    } catch (const UsageError& error) {
        failWith(error.what());
    }
    if (options.help) {
        std::fputs(snapshotUsage, stdout);
        return 0;
    }
    Display* display = connectToDisplay();
    checkWritable();

    openHiddenWindow(argv[0]);
    setPose(options.bend, options.rotation);
    followJointFrames();
    if (options.select >= 0)
        selectJoint(options.select);
    // An unchanged frame, drawn first and never kept: it names each call and
    // its joint, for the changes and the selection.
    displayScene();
    observeFrameFinished();
    changeCalls();
    frameDrawn = keepFrame;
    try {
        play(options.keys);
        writeLastFrameAndSheet();
        if (!options.joints.empty())
            writeJson(options.joints, jointFramesJson(lastJointFrames()), "the joint frames");
        if (!options.calls.empty())
            writeJson(options.calls, frameCallsJson(lastFrameCalls(), lastJointFrames()), "the calls");
    } catch (const WriteError& error) {
        failWith(error.what());
    }
    XCloseDisplay(display);
    return 0;
}
