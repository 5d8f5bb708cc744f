#include "call_listing.h"

#include <GL/glut.h>

#include <cstdio>
#include <vector>

#include "joint_highlight.h"

namespace {

struct ListedCall {
    const char* name;
    std::vector<double> args;
    int depth;
    GLfloat matrix[16];
};

// The calls that made the current model-view matrix: a pop takes back what
// came after its push, and a load at the bottom of the stack starts afresh.
std::vector<ListedCall> inEffect;
std::vector<size_t> pushedAt;
// The frame being drawn, from its base transform on, and the last one finished.
std::vector<ListedCall> frame;
std::vector<ListedCall> lastFrame;
bool inFrame = false;
GLenum matrixMode = GL_MODELVIEW;

ListedCall callAsItLeftGl(const char* name, std::vector<double> args)
{
    ListedCall call{name, std::move(args), 0, {}};
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &call.depth);
    glGetFloatv(GL_MODELVIEW_MATRIX, call.matrix);
    return call;
}

void list(const char* name, std::vector<double> args = {})
{
    const ListedCall call = callAsItLeftGl(name, std::move(args));
    inEffect.push_back(call);
    if (inFrame)
        frame.push_back(call);
}

bool onModelView()
{
    return matrixMode == GL_MODELVIEW;
}

// Nine significant digits give back the very float.
template <typename Numbers>
void appendNumbers(std::string& json, const Numbers& numbers)
{
    char number[32];
    bool first = true;
    for (const double value : numbers) {
        std::snprintf(number, sizeof number, "%s%.9g", first ? "" : ", ", value);
        json += number;
        first = false;
    }
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
    if (!onModelView())
        return;
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    if (depth == 1) {
        inEffect.clear();
        pushedAt.clear();
    }
    list("glLoadIdentity");
}

void __wrap_glPushMatrix()
{
    if (onModelView())
        pushedAt.push_back(inEffect.size());
    __real_glPushMatrix();
    if (onModelView())
        list("glPushMatrix");
}

void __wrap_glPopMatrix()
{
    __real_glPopMatrix();
    if (!onModelView())
        return;
    noteMatrixPopped();
    if (!pushedAt.empty()) {
        inEffect.resize(pushedAt.back());
        pushedAt.pop_back();
    }
    const ListedCall call = callAsItLeftGl("glPopMatrix", {});
    if (inFrame)
        frame.push_back(call);
}

void __wrap_glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    __real_glTranslatef(x, y, z);
    if (onModelView())
        list("glTranslatef", {x, y, z});
}

void __wrap_glRotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z)
{
    __real_glRotatef(degrees, x, y, z);
    if (onModelView())
        list("glRotatef", {degrees, x, y, z});
}

void __wrap_glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    __real_glScalef(x, y, z);
    if (onModelView())
        list("glScalef", {x, y, z});
}

// Every frame begins by clearing: its list begins with the base transform.
void __wrap_glClear(GLbitfield mask)
{
    __real_glClear(mask);
    noteFrameBegun();
    frame = inEffect;
    inFrame = true;
}

// Shapes change no matrix: they are in the frame, not in what is in effect.
void __wrap_glutSolidSphere(GLdouble radius, GLint slices, GLint stacks)
{
    drawShapeUnderSelection([&] { __real_glutSolidSphere(radius, slices, stacks); });
    if (inFrame)
        frame.push_back(callAsItLeftGl("glutSolidSphere", {radius, double(slices), double(stacks)}));
}

void __wrap_glutSolidCube(GLdouble edge)
{
    drawShapeUnderSelection([&] { __real_glutSolidCube(edge); });
    if (inFrame)
        frame.push_back(callAsItLeftGl("glutSolidCube", {edge}));
}
}  // extern "C"

void finishListingFrame()
{
    lastFrame = frame;
    inFrame = false;
}

std::string lastFrameCallsJson()
{
    std::string json = "{\"calls\": [";
    for (size_t i = 0; i < lastFrame.size(); ++i) {
        const ListedCall& call = lastFrame[i];
        json += std::string(i ? ",\n  " : "\n  ") + "{\"name\": \"" + call.name + "\", \"args\": [";
        appendNumbers(json, call.args);
        json += "], \"depth\": " + std::to_string(call.depth) + ", \"matrix\": [";
        appendNumbers(json, call.matrix);
        json += "]}";
    }
    return json + "\n]}\n";
}
