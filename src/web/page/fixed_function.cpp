// OpenGL 1.x and GLUT's solid shapes, as far as the viewer calls them, for
// a browser that has only WebGL: the state GL would keep for lighting,
// materials and colour, with every shape handed to WebGL together with the
// lighting GL would give it. The matrices are matrix_stacks'.

#include <GL/gl.h>
#include <GL/glut.h>

#include <algorithm>

#include "matrix4.h"
#include "matrix_stacks.h"
#include "solid_shapes.h"
#include "webgl_drawing.h"

// WebGL's own entry points, by the second names emscripten gives them: the
// plain GL names are this file's.
extern "C" {
void emscripten_glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void emscripten_glClearDepthf(GLfloat depth);
void emscripten_glClear(GLbitfield mask);
void emscripten_glDepthFunc(GLenum function);
void emscripten_glEnable(GLenum capability);
void emscripten_glDisable(GLenum capability);
void emscripten_glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
}

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

// Lines wait here until glEnd, or until there is no more room.
constexpr int lineVertexRoom = 256;
bool drawingLines = false;
LineVertex lineVertices[lineVertexRoom];
int lineVertexCount = 0;

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
    switch (capability) {
    case GL_LIGHTING: lighting = on; break;
    case GL_LIGHT0: light0Enabled = on; break;
    case GL_COLOR_MATERIAL:
        colourMaterial = on;
        applyColourMaterial();
        break;
    case GL_DEPTH_TEST: on ? emscripten_glEnable(capability) : emscripten_glDisable(capability); break;
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

void drawSolid(const ShapeBuffer& shape, float size)
{
    LitDraw draw;
    draw.modelView = modelViewMatrix();
    draw.modelViewProjection = projectionMatrix() * draw.modelView;
    normalMatrix(draw.modelView, draw.normalMatrix);
    lightShape(draw);
    draw.size = size;
    drawLitShape(shape, draw);
}

void drawWaitingLines()
{
    if (lineVertexCount > 0)
        drawUnlitLines(lineVertices, lineVertexCount, projectionMatrix() * modelViewMatrix());
    lineVertexCount = 0;
}

}  // namespace

// Made into a buffer once, at its first use; the hand draws every sphere
// with one tessellation, so another is made again only if one is asked for.
const ShapeBuffer& sphereBuffer(int slices, int stacks)
{
    static ShapeBuffer buffer{};
    static int madeSlices = 0, madeStacks = 0;
    if (slices != madeSlices || stacks != madeStacks) {
        buffer = uploadShape(unitSphere(slices, stacks));
        madeSlices = slices;
        madeStacks = stacks;
    }
    return buffer;
}

void glutSolidSphere(GLdouble radius, GLint slices, GLint stacks)
{
    drawSolid(sphereBuffer(slices, stacks), static_cast<float>(radius));
}

void glutSolidCube(GLdouble edge)
{
    static const ShapeBuffer cube = uploadShape(unitCube());
    drawSolid(cube, static_cast<float>(edge));
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha)
{
    emscripten_glClearColor(red, green, blue, alpha);
}

void glClearDepth(GLclampd depth)
{
    emscripten_glClearDepthf(static_cast<float>(depth));
}

void glClear(GLbitfield mask)
{
    emscripten_glClear(mask);
}

void glDepthFunc(GLenum function)
{
    emscripten_glDepthFunc(function);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    emscripten_glViewport(x, y, width, height);
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

// Lines only, drawn unlit in their vertices' colours.
void glBegin(GLenum mode)
{
    drawingLines = mode == GL_LINES;
    lineVertexCount = 0;
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    if (!drawingLines)
        return;
    lineVertices[lineVertexCount++] = {{x, y, z}, {colour[0], colour[1], colour[2]}};
    if (lineVertexCount == lineVertexRoom)  // an even count: whole lines
        drawWaitingLines();
}

void glEnd()
{
    drawWaitingLines();
    drawingLines = false;
}
