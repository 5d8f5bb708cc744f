// GL 1.x's matrix stacks and GLU's perspective, as far as the viewer calls
// them, for the page's fixed-function layer on WebGL; and, for the page's
// view of the hierarchy, each frame's calls listed.

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

// The model-view calls in effect: those since the last load with nothing
// pushed, less what pops have undone. pushedAt[d] is where the push that
// opened depth d was listed. A frame's listing starts as a copy of them.
CallListing inEffect = {};
int pushedAt[stackDepth] = {};

// The frame being drawn, and the last one finished.
CallListing frame = {};
CallListing lastFrame = {};
bool inFrame = false;
int shownCalls = -1;
int highlightDepth = -1;  // the stack's top where the highlight began, or -1

void append(CallListing& listing, ListedName name, float a, float b, float c, float d)
{
    if (listing.count == listedCallRoom)
        return;
    ListedCall& call = listing.calls[listing.count++];
    call = {name, modelView.top + 1, {a, b, c, d}, {}};
    std::copy_n(modelViewMatrix().m, 16, call.matrix);
}

// A model-view call: in effect until a pop takes it back, and in the frame
// being drawn.
void listCall(ListedName name, float a = 0, float b = 0, float c = 0, float d = 0)
{
    if (currentStack != &modelView)
        return;
    append(inEffect, name, a, b, c, d);
    if (inFrame)
        append(frame, name, a, b, c, d);
}

// A loaded matrix owes nothing to the calls before it; those under a push
// come back with the pop.
void listLoad(ListedName name)
{
    if (currentStack == &modelView && modelView.top == 0)
        inEffect.count = 0;
    listCall(name);
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
    listLoad(glLoadIdentityCall);
}

void glLoadMatrixf(const GLfloat* values)
{
    std::copy_n(values, 16, currentMatrix().m);
    listLoad(glLoadMatrixfCall);
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
        pushedAt[modelView.top + 1] = inEffect.count;
    currentStack->levels[currentStack->top + 1] = currentMatrix();
    ++currentStack->top;
    listCall(glPushMatrixCall);
}

void glPopMatrix()
{
    if (currentStack->top == 0)
        return;
    --currentStack->top;
    if (currentStack != &modelView)
        return;
    // A pop is in the frame, but takes back what its push began.
    inEffect.count = pushedAt[modelView.top + 1];
    if (modelView.top < highlightDepth)
        highlightDepth = -1;
    if (inFrame)
        append(frame, glPopMatrixCall, 0, 0, 0, 0);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    multiplyCurrent(translation(x, y, z));
    listCall(glTranslatefCall, x, y, z);
}

void glRotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z)
{
    multiplyCurrent(rotation(degrees, x, y, z));
    listCall(glRotatefCall, degrees, x, y, z);
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    multiplyCurrent(scaling(x, y, z));
    listCall(glScalefCall, x, y, z);
}

// The frame opens with its base transform: the calls in effect now.
void beginListingFrame()
{
    frame.count = inEffect.count;
    std::copy_n(inEffect.calls, inEffect.count, frame.calls);
    highlightDepth = -1;
    inFrame = true;
}

bool listShape(ListedName name, float a, float b, float c)
{
    if (!inFrame)
        return true;
    append(frame, name, a, b, c, 0);
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
