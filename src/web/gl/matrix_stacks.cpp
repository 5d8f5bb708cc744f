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

// The frame being drawn, and the last one finished.
CallListing frame = {};
CallListing lastFrame = {};
bool inFrame = false;
int shownCalls = -1;
int highlightDepth = -1;  // the stack's top where the highlight began, or -1

void appendToFrame(ListedName name, const Matrix4& after, int depth, float a, float b, float c, float d)
{
    if (frame.count == listedCallRoom)
        return;
    ListedCall& call = frame.calls[frame.count++];
    call = {name, depth, {a, b, c, d}, {}};
    std::copy_n(after.m, 16, call.matrix);
}

// A model-view call, listed when a frame is being drawn.
void listCall(ListedName name, float a = 0, float b = 0, float c = 0, float d = 0)
{
    if (inFrame && currentStack == &modelView)
        appendToFrame(name, modelViewMatrix(), modelView.top + 1, a, b, c, d);
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
    listCall(glLoadIdentityCall);
}

void glLoadMatrixf(const GLfloat* values)
{
    std::copy_n(values, 16, currentMatrix().m);
    noteLoad();
    listCall(glLoadMatrixfCall);
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
    listCall(glPushMatrixCall);
}

void glPopMatrix()
{
    if (currentStack->top == 0)
        return;
    if (currentStack == &modelView && modelViewCalls.count > pushedAt[modelView.top])
        modelViewCalls.count = pushedAt[modelView.top];
    --currentStack->top;
    if (currentStack == &modelView && modelView.top < highlightDepth)
        highlightDepth = -1;
    listCall(glPopMatrixCall);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    multiplyCurrent(translation(x, y, z));
    noteTransform(translate, x, y, z);
    listCall(glTranslatefCall, x, y, z);
}

void glRotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z)
{
    multiplyCurrent(rotation(degrees, x, y, z));
    noteTransform(rotate, degrees, x, y, z);
    listCall(glRotatefCall, degrees, x, y, z);
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    multiplyCurrent(scaling(x, y, z));
    noteTransform(scale, x, y, z);
    listCall(glScalefCall, x, y, z);
}

const TransformChain& transformsInEffect()
{
    return modelViewCalls;
}

// The base transform is replayed from the calls in effect, from the
// identity that the last load with nothing pushed left: the same products
// in the same order give the very matrices GL held.
void beginListingFrame()
{
    frame.count = 0;
    highlightDepth = -1;
    Matrix4 matrix = identityMatrix();
    appendToFrame(glLoadIdentityCall, matrix, 1, 0, 0, 0, 0);
    for (int i = 0; i < modelViewCalls.count; ++i) {
        const TransformCall& call = modelViewCalls.calls[i];
        const float* a = call.args;
        const bool pushes = call.kind == push;
        if (call.kind == translate)
            matrix = matrix * translation(a[0], a[1], a[2]);
        else if (call.kind == rotate)
            matrix = matrix * rotation(a[0], a[1], a[2], a[3]);
        else if (call.kind == scale)
            matrix = matrix * scaling(a[0], a[1], a[2]);
        const ListedName name = call.kind == translate ? glTranslatefCall
                                : call.kind == rotate  ? glRotatefCall
                                : call.kind == scale   ? glScalefCall
                                : pushes               ? glPushMatrixCall
                                                       : glLoadMatrixfCall;
        appendToFrame(name, matrix, call.depth + (pushes ? 2 : 1), a[0], a[1], a[2], a[3]);
    }
    inFrame = true;
}

bool listShape(ListedName name, float a, float b, float c)
{
    if (!inFrame)
        return true;
    appendToFrame(name, modelViewMatrix(), modelView.top + 1, a, b, c, 0);
    return shownCalls < 0 || frame.count <= shownCalls;
}

void drawOnlyFirstCalls(int count)
{
    shownCalls = count;
}

void beginHighlight()
{
    highlightDepth = modelView.top;
}

bool insideHighlight()
{
    return highlightDepth >= 0;
}

void finishListingFrame()
{
    inFrame = false;
    lastFrame.count = frame.count;
    std::copy_n(frame.calls, frame.count, lastFrame.calls);
}

const CallListing& lastFrameCalls()
{
    return lastFrame;
}

int callsListedSoFar()
{
    return frame.count;
}

void gluPerspective(GLdouble fieldOfView, GLdouble aspect, GLdouble near, GLdouble far)
{
    multiplyCurrent(perspective(fieldOfView, aspect, near, far));
}
