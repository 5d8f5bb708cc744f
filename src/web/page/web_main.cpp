// The viewer in a web page: the native program's model, drawing, scene, keys
// and motions, built with emscripten and drawn through the page's own
// fixed-function layer on WebGL (src/web/gl). The page asks the full-screen
// question, turns key presses into the codes the native program gets, and
// hands them over one at a time through webPressKey.

#include <GL/glut.h>
#include <emscripten.h>
#include <emscripten/eventloop.h>

#include <vector>

#include "exercise_view.h"
#include "hierarchy_view.h"
#include "keyboard.h"
#include "lesson_observer.h"
#include "page_glut.h"
#include "pose.h"
#include "scene.h"
#include "webgl_drawing.h"

namespace {

constexpr int canvasSize = 300;

// A motion runs to its end inside the key that starts it, drawing each frame
// as it goes. Here its frames are recorded as poses instead, drawn nowhere,
// and the page then shows them one per animation frame, so nothing ever
// waits inside the viewer.
bool servingKey = false;
std::vector<Pose> motionFrames;
bool showingMotionFrame = false;

EM_JS(void, noteRedisplay, (), { Module.redisplayDrawn(); });

EM_JS(void, reportNoWebGL, (), { Module.webGLMissing(); });

EM_JS(void, reportCannotStart, (const char* why), { Module.viewerCannotStart(UTF8ToString(why)); });

void frameDrawnOnPage()
{
    observeFrameFinished();
    if (servingKey) {
        motionFrames.push_back(currentPose());
        return;
    }
    drawExerciseTarget();
    drawHierarchyOverFrame();
    if (!showingMotionFrame)
        noteRedisplay();
}

}  // namespace

extern "C" {

// Serves one key as the native key callback would, and says how many frames
// its motion recorded (0 for a key that is no motion). The key's redisplay
// waits until the page has shown them and calls webEndMotion.
EMSCRIPTEN_KEEPALIVE int webPressKey(int code)
{
    motionFrames.clear();
    servingKey = true;
    holdDrawing(true);
    holdRedisplays(true);
    onKey(static_cast<unsigned char>(code), 0, 0);
    holdDrawing(false);
    servingKey = false;
    return static_cast<int>(motionFrames.size());
}

// The last key's motion, frame by frame.
EMSCRIPTEN_KEEPALIVE const Pose* webMotionFrames()
{
    return motionFrames.data();
}

// Draws frame `frame` of the last key's motion. The hand and the view keep
// the motion's end state throughout: the frame's pose is lent to the
// drawing alone.
EMSCRIPTEN_KEEPALIVE void webShowMotionFrame(int frame)
{
    if (frame < 0 || frame >= static_cast<int>(motionFrames.size()))
        return;
    const Pose end = currentPose();
    const Pose& shown = motionFrames[frame];
    setPose(shown.bend, shown.rotation);
    showingMotionFrame = true;
    displayScene();
    showingMotionFrame = false;
    setPose(end.bend, end.rotation);
}

// The motion has been shown: the key's own redisplay comes next.
EMSCRIPTEN_KEEPALIVE void webEndMotion()
{
    holdRedisplays(false);
}

// The canvas's backing store changed size: full screen, pixel ratio, zoom or layout.
EMSCRIPTEN_KEEPALIVE void webReshape(int width, int height)
{
    reshapeView(width, height);
    glutPostRedisplay();
}

// The pose as it stands.
EMSCRIPTEN_KEEPALIVE const Pose* webPose()
{
    static Pose pose;
    pose = currentPose();
    return &pose;
}

}  // extern "C"

namespace {

constexpr int buildPollMilliseconds = 4;

// The rest of the start, once the browser has built the programs: the page
// still paints and takes keys meanwhile.
void startOnceBuilt(void*)
{
    if (!webGLProgramsBuilt()) {
        emscripten_set_timeout(startOnceBuilt, buildPollMilliseconds, nullptr);
        return;
    }
    if (const char* failure = startWebGLDrawing()) {
        reportCannotStart(failure);
        return;
    }
    initGLState();
    recordHierarchy();

    // No idle callback: on the page it would be a timer that never sleeps.
    // Keys come from the page, which reads what each key types.
    frameDrawn = frameDrawnOnPage;
    glutDisplayFunc(displayScene);
    glutReshapeFunc(reshapeView);
    glutMainLoop();
}

}  // namespace

int main()
{
    int argc = 1;
    char name[] = "hand-viewer";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(canvasSize, canvasSize);
    // The page finds out here, from the viewer's own context, whether the
    // browser can draw with WebGL at all, and whether its shaders build.
    if (!glutCreateWindow(name)) {
        reportNoWebGL();
        return 1;
    }
    buildWebGLPrograms();
    startOnceBuilt(nullptr);
    return 0;
}
