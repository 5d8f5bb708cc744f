// GL 1.x's lines and points, as far as the joint frames' axes draw them:
// glBegin to glEnd, in the current colour, any width and size.

#include "lines_and_points.h"

#include <GL/gl.h>

#include <cmath>

#include "fixed_function.h"
#include "matrix_stacks.h"
#include "webgl_drawing.h"

namespace {

// Lines and points wait here until glEnd, or until there is no more room.
constexpr int lineVertexRoom = 256;
bool drawing = false;  // between glBegin and glEnd of lines or points
GLenum primitive = GL_LINES;  // which of the two
LineVertex lineVertices[lineVertexRoom];
int lineVertexCount = 0;
float lineWidth = 1;
float pointSize = 1;
float viewportSize[2] = {1, 1};

// Wider lines and points, which WebGL draws only 1 pixel wide, become two
// triangles each, made on the window's pixels as GL makes them: a point a
// square, a line widened across its minor axis. Made in device coordinates,
// they wait, across glEnd and matrices, to be drawn together in one call
// before anything else is drawn or any state they are drawn with changes.
constexpr int quadRoom = 6 * lineVertexRoom;
LineVertex quadVertices[quadRoom];
int quadVertexCount = 0;

// The vertex in normalised device coordinates.
void toDevice(const Matrix4& modelViewProjection, const float position[3], float out[3])
{
    const float point[4] = {position[0], position[1], position[2], 1};
    float clip[4];
    transformPoint(modelViewProjection, point, clip);
    for (int i = 0; i < 3; ++i)
        out[i] = clip[i] / clip[3];
}

// Two triangles over the quad with these corners, in turn around it.
LineVertex* addQuad(LineVertex* out, const float corners[4][2], float depth, const float colour[3])
{
    for (int k : {0, 1, 2, 0, 2, 3})
        *out++ = {{corners[k][0], corners[k][1], depth}, {colour[0], colour[1], colour[2]}};
    return out;
}

void sendWaitingVertices()
{
    const Matrix4 modelViewProjection = projectionMatrix() * modelViewMatrix();
    if (primitive == GL_LINES && lineWidth <= 1) {
        drawWaitingLinesAndPoints();
        if (lineVertexCount > 0)
            drawUnlit(lineVertices, lineVertexCount, modelViewProjection, GL_LINES);
        lineVertexCount = 0;
        return;
    }
    // Half a width or a size in device units, which span the viewport twice.
    const float pixels = primitive == GL_LINES ? lineWidth : pointSize;
    const float halfX = pixels / viewportSize[0], halfY = pixels / viewportSize[1];
    const int quadsWaiting = (primitive == GL_POINTS ? lineVertexCount : lineVertexCount / 2) * 6;
    if (quadVertexCount + quadsWaiting > quadRoom)
        drawWaitingLinesAndPoints();
    LineVertex* next = quadVertices + quadVertexCount;
    if (primitive == GL_POINTS)
        for (int i = 0; i < lineVertexCount; ++i) {
            float p[3];
            toDevice(modelViewProjection, lineVertices[i].position, p);
            const float corners[4][2] = {{p[0] - halfX, p[1] - halfY}, {p[0] + halfX, p[1] - halfY},
                                         {p[0] + halfX, p[1] + halfY}, {p[0] - halfX, p[1] + halfY}};
            next = addQuad(next, corners, p[2], lineVertices[i].colour);
        }
    else
        for (int i = 0; i + 1 < lineVertexCount; i += 2) {
            float a[3], b[3];
            toDevice(modelViewProjection, lineVertices[i].position, a);
            toDevice(modelViewProjection, lineVertices[i + 1].position, b);
            const bool xMajor = std::abs((b[0] - a[0]) * viewportSize[0]) >= std::abs((b[1] - a[1]) * viewportSize[1]);
            const float dx = xMajor ? 0 : halfX, dy = xMajor ? halfY : 0;
            const float corners[4][2] = {{a[0] - dx, a[1] - dy}, {b[0] - dx, b[1] - dy},
                                         {b[0] + dx, b[1] + dy}, {a[0] + dx, a[1] + dy}};
            next = addQuad(next, corners, a[2], lineVertices[i].colour);
        }
    quadVertexCount = static_cast<int>(next - quadVertices);
    lineVertexCount = 0;
}

}  // namespace

void drawWaitingLinesAndPoints()
{
    if (quadVertexCount > 0)
        drawUnlit(quadVertices, quadVertexCount, identityMatrix(), GL_TRIANGLES);
    quadVertexCount = 0;
}

void setLinesViewport(int width, int height)
{
    viewportSize[0] = static_cast<float>(width);
    viewportSize[1] = static_cast<float>(height);
}

// Lines and points only, drawn unlit in their vertices' colours.
void glBegin(GLenum mode)
{
    drawing = mode == GL_LINES || mode == GL_POINTS;
    primitive = mode;
    lineVertexCount = 0;
}

void glLineWidth(GLfloat width)
{
    lineWidth = width;
}

void glPointSize(GLfloat size)
{
    pointSize = size;
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    if (!drawing)
        return;
    const float* colour = currentColour();
    lineVertices[lineVertexCount++] = {{x, y, z}, {colour[0], colour[1], colour[2]}};
    if (lineVertexCount == lineVertexRoom)  // an even count: whole lines
        sendWaitingVertices();
}

void glEnd()
{
    sendWaitingVertices();
    drawing = false;
}
