// The drawing as code (frame_listing.h): hand-snapshot is linked with the GL
// and GLUT calls wrapped (ld --wrap), and each wrapper tells the lesson what
// its call did, so the viewer's code is listed as it runs, unchanged. Of
// what it is linked with, this file alone.

#include <GL/glut.h>

#include "joint_highlight.h"
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

// A model-view call, told to the lesson with the stack as it left GL.
void observe(ListedName name, const double args[] = nullptr)
{
    if (!onModelView())
        return;
    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    observeMatrixCall(name, args, modelViewDepth(), matrix);
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

void __wrap_glMatrixMode(GLenum mode)
{
    __real_glMatrixMode(mode);
    matrixMode = mode;
}

void __wrap_glLoadIdentity()
{
    __real_glLoadIdentity();
    observe(glLoadIdentityCall);
}

void __wrap_glPushMatrix()
{
    __real_glPushMatrix();
    observe(glPushMatrixCall);
}

void __wrap_glPopMatrix()
{
    __real_glPopMatrix();
    observe(glPopMatrixCall);
}

void __wrap_glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    __real_glTranslatef(x, y, z);
    const double args[] = {x, y, z};
    observe(glTranslatefCall, args);
}

void __wrap_glRotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z)
{
    __real_glRotatef(degrees, x, y, z);
    const double args[] = {degrees, x, y, z};
    observe(glRotatefCall, args);
}

void __wrap_glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    __real_glScalef(x, y, z);
    const double args[] = {x, y, z};
    observe(glScalefCall, args);
}

// Every frame begins by clearing: its list begins with the base transform.
void __wrap_glClear(GLbitfield mask)
{
    __real_glClear(mask);
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
