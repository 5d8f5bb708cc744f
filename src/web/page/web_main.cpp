// The viewer in a web page: the native program's model, drawing, scene, keys
// and motions, built with emscripten and drawn through the page's own
// fixed-function layer on WebGL (src/web/gl). The page (page.js) asks the full-screen
// question, turns key presses into the codes the native program gets, and
// hands them over one at a time through webPressKey.

#include <GL/glut.h>
#include <emscripten.h>

#include "hand_model.h"
#include "hierarchy_view.h"
#include "keyboard.h"
#include "matrix_stacks.h"
#include "scene.h"
#include "webgl_drawing.h"

namespace {

constexpr int canvasSize = 300;

bool playingKey = false;

// A motion's frame is shown when control returns to the browser; waiting for
// the next animation frame after each one plays the motion at the display's
// refresh, as a native swap with vsync would. A key served while the browser
// handles input draws its first frame inside an animation frame whose own
// callbacks are still to come: the motion waits for the one after, or its
// second frame would cover its first before either is shown. Paused, the
// motion then waits on the page with its frame on show.
EM_ASYNC_JS(void, showMotionFrame, (), {
    Module.motionFrameDrawn();
    const drawnIn = document.timeline.currentTime;
    while (await new Promise(requestAnimationFrame) === drawnIn) {
    }
    await Module.motionMayGoOn();
});

EM_JS(void, noteRedisplay, (), { Module.redisplayDrawn(); });

EM_JS(void, reportNoWebGL, (), { Module.webGLMissing(); });

EM_JS(void, reportCannotStart, (const char* why), { Module.viewerCannotStart(UTF8ToString(why)); });

// Frames drawn while a key is being served are its motion's; any other
// frame is a redisplay, drawn from GLUT's own animation-frame callback,
// which must not be suspended.
void frameDrawnOnPage()
{
    finishListingFrame();
    drawHierarchyOverFrame();
    if (playingKey)
        showMotionFrame();
    else
        noteRedisplay();
}

}  // namespace

extern "C" {

// Serves one key as the native key callback would. The page never calls it
// again before the returned promise settles, so a motion is never entered
// twice: keys typed meanwhile wait in the page's queue.
EMSCRIPTEN_KEEPALIVE void webPressKey(int code)
{
    playingKey = true;
    onKey(static_cast<unsigned char>(code), 0, 0);
    playingKey = false;
}

// The canvas's backing store changed size: full screen, pixel ratio, zoom or layout.
EMSCRIPTEN_KEEPALIVE void webReshape(int width, int height)
{
    reshapeView(width, height);
    glutPostRedisplay();
}

// Where the view angles and bends live, for the page to read without
// calling in while a motion waits for its next frame.
EMSCRIPTEN_KEEPALIVE const float* webViewAngle(int axis)
{
    return axis == 0 ? &rotX : axis == 1 ? &rotY : &rotZ;
}

EMSCRIPTEN_KEEPALIVE const float* webBends()
{
    return hand.bend;
}

}  // extern "C"

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
    if (const char* failure = startWebGLDrawing()) {
        reportCannotStart(failure);
        return 1;
    }
    initGLState();
    recordHierarchy();

    // No idle callback: on the page it would be a timer that never sleeps.
    // Keys come from the page, which reads what each key types.
    frameDrawn = frameDrawnOnPage;
    glutDisplayFunc(displayScene);
    glutReshapeFunc(reshapeView);
    glutMainLoop();
    return 0;
}
