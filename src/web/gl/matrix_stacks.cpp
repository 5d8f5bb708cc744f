// GL 1.x's matrix stacks and GLU's perspective, as far as the viewer calls
// them, for the page's fixed-function layer on WebGL.

#include "matrix_stacks.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "lesson_observer.h"

namespace {

constexpr int stackDepth = 32;  // the least GL promises for model-view

struct MatrixStack {
    Matrix4 levels[stackDepth] = {identityMatrix()};
    int top = 0;
};

MatrixStack modelView;
MatrixStack projection;
MatrixStack* currentStack = &modelView;

Matrix4& topOf(MatrixStack& stack)
{
    return stack.levels[stack.top];
}

Matrix4& currentMatrix()
{
    return topOf(*currentStack);
}

void multiplyCurrent(const Matrix4& by)
{
    currentMatrix() = currentMatrix() * by;
}

// A model-view call, told to the lesson with the matrix it left.
void observe(ListedName name, const double args[] = nullptr)
{
    if (currentStack == &modelView)
        observeMatrixCall(name, args, modelViewDepth(), modelViewMatrix().m);
}

}  // namespace

const Matrix4& modelViewMatrix()
{
    return topOf(modelView);
}

const Matrix4& projectionMatrix()
{
    return topOf(projection);
}

int modelViewDepth()
{
    return modelView.top + 1;
}

void glMatrixMode(GLenum mode)
{
    currentStack = mode == GL_PROJECTION ? &projection : &modelView;
}

void glLoadIdentity()
{
    currentMatrix() = identityMatrix();
    observe(glLoadIdentityCall);
}

void glLoadMatrixf(const GLfloat* values)
{
    std::copy_n(values, 16, currentMatrix().m);
    observe(glLoadMatrixfCall);
}

void glGetFloatv(GLenum name, GLfloat* values)
{
    if (name == GL_MODELVIEW_MATRIX || name == GL_PROJECTION_MATRIX)
        std::copy_n(topOf(name == GL_MODELVIEW_MATRIX ? modelView : projection).m, 16, values);
}

// Past either end of the stack GL reports an error and changes nothing.
void glPushMatrix()
{
    if (currentStack->top + 1 == stackDepth)
        return;
    currentStack->levels[currentStack->top + 1] = currentMatrix();
    ++currentStack->top;
    observe(glPushMatrixCall);
}

void glPopMatrix()
{
    if (currentStack->top == 0)
        return;
    --currentStack->top;
    observe(glPopMatrixCall);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    multiplyCurrent(translation(x, y, z));
    const double args[] = {x, y, z};
    observe(glTranslatefCall, args);
}

void glRotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z)
{
    multiplyCurrent(rotation(degrees, x, y, z));
    const double args[] = {degrees, x, y, z};
    observe(glRotatefCall, args);
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    multiplyCurrent(scaling(x, y, z));
    const double args[] = {x, y, z};
    observe(glScalefCall, args);
}

void gluPerspective(GLdouble fieldOfView, GLdouble aspect, GLdouble near, GLdouble far)
{
    multiplyCurrent(perspective(fieldOfView, aspect, near, far));
}
