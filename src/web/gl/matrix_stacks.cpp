// GL 1.x's matrix stacks and GLU's perspective, as far as the viewer calls
// them, for the page's fixed-function layer on WebGL.

#include "matrix_stacks.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "call_changes.h"
#include "lesson_observer.h"
#include "webgl_drawing.h"

namespace {

struct MatrixStack {
    Matrix4 levels[modelViewStackDepth] = {identityMatrix()};
    int top = 0;
};

MatrixStack modelView;
MatrixStack projection;
MatrixStack* currentStack = &modelView;
PageDrawing drawing = PageDrawing::programs;

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

// Past either end of the stack GL reports an error and changes nothing.
CallError push()
{
    if (currentStack->top + 1 == modelViewStackDepth)
        return stackOverflowError;
    currentStack->levels[currentStack->top + 1] = currentMatrix();
    ++currentStack->top;
    return noCallError;
}

CallError pop()
{
    if (currentStack->top == 0)
        return stackUnderflowError;
    --currentStack->top;
    return noCallError;
}

// One call on the current stack.
CallError run(ListedName name, const double args[])
{
    const auto f = [&](int i) { return static_cast<float>(args[i]); };
    switch (name) {
    case glLoadIdentityCall: currentMatrix() = identityMatrix(); break;
    case glPushMatrixCall: return push();
    case glPopMatrixCall: return pop();
    case glTranslatefCall: multiplyCurrent(translation(f(0), f(1), f(2))); break;
    case glRotatefCall: multiplyCurrent(rotation(f(0), f(1), f(2), f(3))); break;
    case glScalefCall: multiplyCurrent(scaling(f(0), f(1), f(2))); break;
    default: break;
    }
    return noCallError;
}

// A model-view call, perhaps changed on its way (call_changes.h), told to
// the lesson with the matrix it left.
void runOnModelView(ListedName name, const double args[])
{
    const CallError error = run(name, args);
    observeMatrixCall(name, args, modelViewDepth(), modelViewMatrix().m, error);
}

void matrixCall(ListedName name, const double args[] = nullptr)
{
    if (currentStack == &modelView && drawing == PageDrawing::programs)
        runMatrixCall(name, args, runOnModelView);
    else
        run(name, args);
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

void setPageDrawing(PageDrawing asked)
{
    drawing = asked;
    drawFarthest(asked == PageDrawing::faintBehind);
}

PageDrawing pageDrawing()
{
    return drawing;
}

void startModelViewFrame()
{
    startFrameClean(modelViewDepth(), runOnModelView);
}

void glLoadIdentity()
{
    matrixCall(glLoadIdentityCall);
}

void glLoadMatrixf(const GLfloat* values)
{
    std::copy_n(values, 16, currentMatrix().m);
    if (currentStack == &modelView && drawing == PageDrawing::programs)
        observeMatrixCall(glLoadMatrixfCall, nullptr, modelViewDepth(), modelViewMatrix().m);
}

void glGetFloatv(GLenum name, GLfloat* values)
{
    if (name == GL_MODELVIEW_MATRIX || name == GL_PROJECTION_MATRIX)
        std::copy_n(topOf(name == GL_MODELVIEW_MATRIX ? modelView : projection).m, 16, values);
}

void glPushMatrix()
{
    matrixCall(glPushMatrixCall);
}

void glPopMatrix()
{
    matrixCall(glPopMatrixCall);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    const double args[] = {x, y, z};
    matrixCall(glTranslatefCall, args);
}

void glRotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z)
{
    const double args[] = {degrees, x, y, z};
    matrixCall(glRotatefCall, args);
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    const double args[] = {x, y, z};
    matrixCall(glScalefCall, args);
}

void gluPerspective(GLdouble fieldOfView, GLdouble aspect, GLdouble near, GLdouble far)
{
    multiplyCurrent(perspective(fieldOfView, aspect, near, far));
}
