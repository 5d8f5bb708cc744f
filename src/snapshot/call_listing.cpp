// The drawing as code (frame_listing.h): hand-snapshot is linked with the GL
// and GLUT calls wrapped (ld --wrap), and each wrapper tells the lesson what
// its call did, so the viewer's code is listed as it runs, unchanged. Of
// what it is linked with, this file alone.

#include <GL/glut.h>

#include "joint_highlight.h"
#include "call_changes.h"
#include "lesson_observer.h"

namespace {

GLenum matrixMode = GL_MODELVIEW;

bool onModelView()
{
    return matrixMode == GL_MODELVIEW;
}

int modelViewDepth()
{
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    return depth;
}

// A model-view call, told to the lesson with the stack and the error as it left GL.
void observe(ListedName name, const double args[], CallError error)
{
    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    observeMatrixCall(name, args, modelViewDepth(), matrix, error);
}

template <typename DrawShape>
void drawObservedShape(ListedName name, const double args[], DrawShape drawShape)
{
    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    drawShapeUnderSelection(observeShape(name, args, modelViewDepth(), matrix), drawShape);
}

}  // namespace

// The real entry points, and the wrapped ones hand-snapshot's code calls.
extern "C" {
void __real_glMatrixMode(GLenum mode);
void __real_glLoadIdentity();
void __real_glPushMatrix();
void __real_glPopMatrix();
void __real_glTranslatef(GLfloat x, GLfloat y, GLfloat z);
void __real_glRotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z);
void __real_glScalef(GLfloat x, GLfloat y, GLfloat z);
void __real_glClear(GLbitfield mask);
void __real_glutSolidSphere(GLdouble radius, GLint slices, GLint stacks);
void __real_glutSolidCube(GLdouble edge);
}

namespace {

CallError stackError()
{
    switch (glGetError()) {
    case GL_STACK_OVERFLOW: return stackOverflowError;
    case GL_STACK_UNDERFLOW: return stackUnderflowError;
    default: return noCallError;
    }
}

void callGL(ListedName name, const double args[])
{
    const auto f = [&](int i) { return static_cast<GLfloat>(args[i]); };
    switch (name) {
    case glLoadIdentityCall: __real_glLoadIdentity(); break;
    case glPushMatrixCall: __real_glPushMatrix(); break;
    case glPopMatrixCall: __real_glPopMatrix(); break;
    case glTranslatefCall: __real_glTranslatef(f(0), f(1), f(2)); break;
    case glRotatefCall: __real_glRotatef(f(0), f(1), f(2), f(3)); break;
    case glScalefCall: __real_glScalef(f(0), f(1), f(2)); break;
    default: break;
    }
}

// One model-view call made on GL, perhaps changed (call_changes.h) on its way.
void runOnGL(ListedName name, const double args[])
{
    callGL(name, args);
    const bool stackCall = name == glPushMatrixCall || name == glPopMatrixCall;
    observe(name, args, stackCall ? stackError() : noCallError);
}

// Calls on other matrices than the model-view go straight to GL.
void matrixCall(ListedName name, const double args[] = nullptr)
{
    if (onModelView())
        runMatrixCall(name, args, runOnGL);
    else
        callGL(name, args);
}

}  // namespace

extern "C" {

void __wrap_glMatrixMode(GLenum mode)
{
    __real_glMatrixMode(mode);
    matrixMode = mode;
}

void __wrap_glLoadIdentity()
{
    matrixCall(glLoadIdentityCall);
}

void __wrap_glPushMatrix()
{
    matrixCall(glPushMatrixCall);
}

void __wrap_glPopMatrix()
{
    matrixCall(glPopMatrixCall);
}

void __wrap_glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    const double args[] = {x, y, z};
    matrixCall(glTranslatefCall, args);
}

void __wrap_glRotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z)
{
    const double args[] = {degrees, x, y, z};
    matrixCall(glRotatefCall, args);
}

void __wrap_glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    const double args[] = {x, y, z};
    matrixCall(glScalefCall, args);
}

// Every frame begins by clearing: its list begins with the base transform.
void __wrap_glClear(GLbitfield mask)
{
    __real_glClear(mask);
    startFrameClean(modelViewDepth(), runOnGL);
    observeFrameBegun();
}

// Shapes change no matrix: they are in the frame, not in what is in effect.
void __wrap_glutSolidSphere(GLdouble radius, GLint slices, GLint stacks)
{
    const double args[] = {radius, double(slices), double(stacks)};
    drawObservedShape(glutSolidSphereCall, args, [&] { __real_glutSolidSphere(radius, slices, stacks); });
}

void __wrap_glutSolidCube(GLdouble edge)
{
    const double args[] = {edge};
    drawObservedShape(glutSolidCubeCall, args, [&] { __real_glutSolidCube(edge); });
}
}  // extern "C"
