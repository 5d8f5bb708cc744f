// The page's own OpenGL 1.x, GLU and GLUT, as far as the viewer calls them,
// on WebGL: this folder. It exists because emscripten's GL emulation draws
// the hand unlike Mesa (it lights a direction where GL places a point light,
// and normalises normals that GL leaves scaled) and its GLUT costs 31 KB;
// the pictures here match the native ones to a pixel.
//
// This file keeps the state GL would keep for lighting, materials and
// colour, and hands every shape to WebGL with the lighting GL would give it.
// The matrices are matrix_stacks', lines and points lines_and_points',
// GLUT is glut_canvas', and only webgl_drawing talks to WebGL.

#include "fixed_function.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "lesson_observer.h"
#include "lines_and_points.h"
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
    drawWaitingLinesAndPoints();
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

}  // namespace

void finishDrawing()
{
    drawWaitingLinesAndPoints();
}

const float* currentColour()
{
    return colour;
}

void drawLitSolid(const ShapeBuffer& shape, float size, bool dimmed)
{
    drawWaitingLinesAndPoints();
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
    drawWaitingLinesAndPoints();
    clearCanvas(mask);
    startModelViewFrame();
    observeFrameBegun();
}

void glDepthFunc(GLenum function)
{
    setDepthFunction(function);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    drawWaitingLinesAndPoints();
    setLinesViewport(width, height);
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
