// GL 1.x's matrix stacks and GLU's perspective, as far as the viewer calls
// them, for the page's fixed-function layer on WebGL; and, for the page's
// view of the hierarchy, the calls that made the model-view matrix.

#include "matrix_stacks.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

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

// The model-view matrix's calls in effect; pushedAt[d] is where the push
// that opened depth d was noted.
TransformChain modelViewCalls = {};
int pushedAt[stackDepth] = {};

void noteTransform(TransformKind kind, float a = 0, float b = 0, float c = 0, float d = 0)
{
    if (currentStack != &modelView || modelViewCalls.count == transformRoom)
        return;
    modelViewCalls.calls[modelViewCalls.count++] = {kind, modelView.top, {a, b, c, d}};
}

// A loaded matrix owes nothing to the calls before it; those under a push
// come back with the pop.
void noteLoad()
{
    if (currentStack == &modelView && modelView.top == 0)
        modelViewCalls.count = 0;
    else
        noteTransform(load);
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

void glMatrixMode(GLenum mode)
{
    currentStack = mode == GL_PROJECTION ? &projection : &modelView;
}

void glLoadIdentity()
{
    currentMatrix() = identityMatrix();
    noteLoad();
}

void glLoadMatrixf(const GLfloat* values)
{
    std::copy_n(values, 16, currentMatrix().m);
    noteLoad();
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
    if (currentStack == &modelView)
        pushedAt[modelView.top + 1] = modelViewCalls.count;
    noteTransform(push);
    currentStack->levels[currentStack->top + 1] = currentMatrix();
    ++currentStack->top;
}

void glPopMatrix()
{
    if (currentStack->top == 0)
        return;
    if (currentStack == &modelView && modelViewCalls.count > pushedAt[modelView.top])
        modelViewCalls.count = pushedAt[modelView.top];
    --currentStack->top;
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    multiplyCurrent(translation(x, y, z));
    noteTransform(translate, x, y, z);
}

void glRotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z)
{
    multiplyCurrent(rotation(degrees, x, y, z));
    noteTransform(rotate, degrees, x, y, z);
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    multiplyCurrent(scaling(x, y, z));
    noteTransform(scale, x, y, z);
}

const TransformChain& transformsInEffect()
{
    return modelViewCalls;
}

void gluPerspective(GLdouble fieldOfView, GLdouble aspect, GLdouble near, GLdouble far)
{
    multiplyCurrent(perspective(fieldOfView, aspect, near, far));
}
