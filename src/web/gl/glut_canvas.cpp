// GLUT as far as the page's entry, the scene and the drawing call it, on
// the page's canvas: one WebGL context, a display and a reshape callback,
// redisplays drawn at the browser's next animation frame, and the solid
// sphere and cube; and, beyond GLUT, redisplays held while the page plays a
// motion (page_glut.h). Keys, full screen and the canvas's size are the
// page's scripts', not GLUT's.

#include <GL/glut.h>
#include <emscripten/html5.h>

#include "fixed_function.h"
#include "lesson_observer.h"
#include "matrix_stacks.h"
#include "page_glut.h"
#include "solid_shapes.h"

namespace {

const char* const canvas = "#canvas";

unsigned int displayMode = 0;
void (*display)() = nullptr;
void (*reshape)(int, int) = nullptr;
bool redisplayPending = false;
bool redisplaysHeld = false;
bool frameRequested = false;

EM_BOOL drawRequestedFrame(double, void*)
{
    frameRequested = false;
    if (redisplaysHeld)
        return EM_FALSE;  // drawn once they are let go
    redisplayPending = false;
    if (display)
        display();
    return EM_FALSE;
}

// One animation frame asked for at a time, however often a redisplay is posted.
void requestRedisplayFrame()
{
    if (!redisplayPending || redisplaysHeld || frameRequested)
        return;
    frameRequested = true;
    emscripten_request_animation_frame(drawRequestedFrame, nullptr);
}

// Made into a buffer once, at its first use; the hand draws every sphere
// with one tessellation, so another is made again only if one is asked for.
const ShapeBuffer& sphereBuffer(int slices, int stacks)
{
    static ShapeBuffer buffer{};
    static int madeSlices = 0, madeStacks = 0;
    if (slices != madeSlices || stacks != madeStacks) {
        buffer = uploadShape(unitSphere(slices, stacks));
        madeSlices = slices;
        madeStacks = stacks;
    }
    return buffer;
}

}  // namespace

void glutInit(int*, char**) {}

void glutInitDisplayMode(unsigned int mode)
{
    displayMode = mode;
}

void glutInitWindowSize(int width, int height)
{
    emscripten_set_canvas_element_size(canvas, width, height);
}

// Without a canvas that can draw with WebGL, no window: 0, as GLUT has it.
int glutCreateWindow(const char*)
{
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    // The viewer asks for RGB with depth: WebGL's alpha and antialiasing,
    // on by default, would change the picture. The page may have made the
    // context already, with these same attributes, and is then given it.
    attributes.alpha = false;
    attributes.antialias = false;
    attributes.depth = (displayMode & GLUT_DEPTH) != 0;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context(canvas, &attributes);
    if (context <= 0)
        return 0;
    emscripten_webgl_make_context_current(context);
    return 1;
}

void glutDisplayFunc(void (*callback)())
{
    display = callback;
}

void glutReshapeFunc(void (*callback)(int, int))
{
    reshape = callback;
}

void glutPostRedisplay()
{
    redisplayPending = true;
    requestRedisplayFrame();
}

void holdRedisplays(bool held)
{
    redisplaysHeld = held;
    requestRedisplayFrame();
}

// The browser shows what was drawn once control returns to it.
void glutSwapBuffers()
{
    finishDrawing();
}

// The window is shown: its size is handed over and the first frame drawn at
// the next animation frame, in a task of its own, so that starting never
// holds the page up for long. The browser's own loop runs the rest.
void glutMainLoop()
{
    int width = 0, height = 0;
    emscripten_get_canvas_element_size(canvas, &width, &height);
    if (reshape)
        reshape(width, height);
    glutPostRedisplay();
}

namespace {

// The lesson hears of every shape, and says whether stepping has reached
// it and whether a selection dims it.
ShapeDrawing observed(ListedName name, const double args[])
{
    if (pageDrawing() != PageDrawing::programs)
        return {pageDrawing() == PageDrawing::faintBehind, true};
    return observeShape(name, args, modelViewDepth(), modelViewMatrix().m);
}

}  // namespace

void glutSolidSphere(GLdouble radius, GLint slices, GLint stacks)
{
    const double args[] = {radius, double(slices), double(stacks)};
    const ShapeDrawing how = observed(glutSolidSphereCall, args);
    if (how.drawn)
        drawLitSolid(sphereBuffer(slices, stacks), static_cast<float>(radius), how.dimmed);
}

void glutSolidCube(GLdouble edge)
{
    static const ShapeBuffer cube = uploadShape(unitCube());
    const double args[] = {edge};
    const ShapeDrawing how = observed(glutSolidCubeCall, args);
    if (how.drawn)
        drawLitSolid(cube, static_cast<float>(edge), how.dimmed);
}
