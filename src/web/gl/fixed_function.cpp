// The page's own OpenGL 1.x, GLU and GLUT, as far as the viewer calls them,
// on WebGL: this folder. It exists because emscripten's GL emulation draws
// the hand unlike Mesa (it lights a direction where GL places a point light,
// and normalises normals that GL leaves scaled) and its GLUT costs 31 KB;
// the pictures here match the native ones to a pixel.
//
// This file keeps the state GL would keep for lighting, materials and
// colour, and hands every shape to WebGL with the lighting GL would give it.
// The matrices are matrix_stacks', GLUT is glut_canvas', and only
// webgl_drawing talks to WebGL.

#include "fixed_function.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "lesson_observer.h"
#include "matrix4.h"
#include "matrix_stacks.h"

namespace {

using Rgba = float[4];

// GL's defaults for light 0 and the material.
struct Light {
    Rgba ambient = {0, 0, 0, 1};
    Rgba diffuse = {1, 1, 1, 1};
    Rgba specular = {1, 1, 1, 1};
    Rgba eyePosition = {0, 0, 1, 0};
};

// One-sided lighting reads only the front material, so that is all kept.
struct Material {
    Rgba ambient = {0.2f, 0.2f, 0.2f, 1};
    Rgba diffuse = {0.8f, 0.8f, 0.8f, 1};
    Rgba specular = {0, 0, 0, 1};
    Rgba emission = {0, 0, 0, 1};
    float shininess = 0;
};

const Rgba globalAmbient = {0.2f, 0.2f, 0.2f, 1};

Light light0;
Material material;
Rgba colour = {1, 1, 1, 1};
bool lighting = false;
bool light0Enabled = false;
bool colourMaterial = false;

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

void drawWaitingQuads()
{
    if (quadVertexCount > 0)
        drawUnlit(quadVertices, quadVertexCount, identityMatrix(), GL_TRIANGLES);
    quadVertexCount = 0;
}

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

// Colour material in its default mode: the current colour becomes the
// ambient and diffuse material while it is enabled.
void applyColourMaterial()
{
    if (!colourMaterial)
        return;
    std::copy_n(colour, 4, material.ambient);
    std::copy_n(colour, 4, material.diffuse);
}

void setCapability(GLenum capability, bool on)
{
    drawWaitingQuads();
    switch (capability) {
    case GL_LIGHTING: lighting = on; break;
    case GL_LIGHT0: light0Enabled = on; break;
    case GL_COLOR_MATERIAL:
        colourMaterial = on;
        applyColourMaterial();
        break;
    case GL_DEPTH_TEST: setDepthTest(on); break;
    default: break;  // nothing else is ever enabled
    }
}

// The terms of the lighting equation that are the same at every vertex.
// Unlit, a shape takes the current colour and the other terms vanish.
void lightShape(LitDraw& draw)
{
    const float lightOn = lighting && light0Enabled ? 1.0f : 0.0f;
    for (int c = 0; c < 3; ++c) {
        draw.sceneColour[c] = lighting ? material.emission[c] + globalAmbient[c] * material.ambient[c] +
                                             lightOn * light0.ambient[c] * material.ambient[c]
                                       : colour[c];
        draw.diffuseProduct[c] = lightOn * light0.diffuse[c] * material.diffuse[c];
        draw.specularProduct[c] = lightOn * light0.specular[c] * material.specular[c];
    }
    draw.shininess = material.shininess;
    draw.alpha = lighting ? material.diffuse[3] : colour[3];
    std::copy_n(light0.eyePosition, 4, draw.lightPosition);
}

void drawWaitingLines()
{
    const Matrix4 modelViewProjection = projectionMatrix() * modelViewMatrix();
    if (primitive == GL_LINES && lineWidth <= 1) {
        drawWaitingQuads();
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
        drawWaitingQuads();
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

void finishDrawing()
{
    drawWaitingQuads();
}

void drawLitSolid(const ShapeBuffer& shape, float size, bool dimmed)
{
    drawWaitingQuads();
    LitDraw draw;
    draw.modelView = modelViewMatrix();
    draw.modelViewProjection = projectionMatrix() * draw.modelView;
    normalMatrix(draw.modelView, draw.normalMatrix);
    lightShape(draw);
    if (dimmed)
        for (float* terms : {draw.sceneColour, draw.diffuseProduct, draw.specularProduct})
            for (int c = 0; c < 3; ++c)
                terms[c] *= dimmedShare;
    draw.size = size;
    drawLitShape(shape, draw);
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha)
{
    setClearColour(red, green, blue, alpha);
}

void glClearDepth(GLclampd depth)
{
    setClearDepth(static_cast<float>(depth));
}

// Every frame begins by clearing: the lesson's listing of it opens.
void glClear(GLbitfield mask)
{
    drawWaitingQuads();
    clearCanvas(mask);
    observeFrameBegun();
}

void glDepthFunc(GLenum function)
{
    setDepthFunction(function);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    drawWaitingQuads();
    viewportSize[0] = static_cast<float>(width);
    viewportSize[1] = static_cast<float>(height);
    setViewport(x, y, width, height);
}

// Vertex colours are always interpolated: smooth shading, which is all the
// viewer asks for.
void glShadeModel(GLenum) {}

void glEnable(GLenum capability)
{
    setCapability(capability, true);
}

void glDisable(GLenum capability)
{
    setCapability(capability, false);
}

void glLightfv(GLenum light, GLenum name, const GLfloat* values)
{
    if (light != GL_LIGHT0)
        return;
    switch (name) {
    case GL_AMBIENT: std::copy_n(values, 4, light0.ambient); break;
    case GL_DIFFUSE: std::copy_n(values, 4, light0.diffuse); break;
    case GL_SPECULAR: std::copy_n(values, 4, light0.specular); break;
    case GL_POSITION: {
        // Fixed in eye space by the model-view matrix of the moment.
        float eye[4];
        transformPoint(modelViewMatrix(), values, eye);
        const float w = eye[3];
        for (int i = 0; i < 3; ++i)
            light0.eyePosition[i] = w != 0 ? eye[i] / w : eye[i];
        light0.eyePosition[3] = w != 0 ? 1.0f : 0.0f;
        break;
    }
    default: break;
    }
}

void glMaterialfv(GLenum face, GLenum name, const GLfloat* values)
{
    if (face == GL_BACK)
        return;  // never seen with one-sided lighting
    switch (name) {
    case GL_AMBIENT: std::copy_n(values, 4, material.ambient); break;
    case GL_DIFFUSE: std::copy_n(values, 4, material.diffuse); break;
    case GL_AMBIENT_AND_DIFFUSE:
        std::copy_n(values, 4, material.ambient);
        std::copy_n(values, 4, material.diffuse);
        break;
    case GL_SPECULAR: std::copy_n(values, 4, material.specular); break;
    case GL_EMISSION: std::copy_n(values, 4, material.emission); break;
    case GL_SHININESS: material.shininess = values[0]; break;
    default: break;
    }
}

void glMaterialf(GLenum face, GLenum name, GLfloat value)
{
    glMaterialfv(face, name, &value);
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue)
{
    colour[0] = red;
    colour[1] = green;
    colour[2] = blue;
    colour[3] = 1;
    applyColourMaterial();
}

void glColor3fv(const GLfloat* rgb)
{
    glColor3f(rgb[0], rgb[1], rgb[2]);
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
    lineVertices[lineVertexCount++] = {{x, y, z}, {colour[0], colour[1], colour[2]}};
    if (lineVertexCount == lineVertexRoom)  // an even count: whole lines
        drawWaitingLines();
}

void glEnd()
{
    drawWaitingLines();
    drawing = false;
}
