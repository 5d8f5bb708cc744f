#pragma once

#include "matrix4.h"
#include "solid_shapes.h"

// The fixed-function layer's WebGL side, and the only file that calls
// WebGL: two programs, compiled once at start-up, one for lit triangles and
// one for unlit lines, and what GL 1.x hands straight on.

// One lit shape's draw call, its lighting already worked out per call by the
// OpenGL 1.x equation's terms that do not vary from vertex to vertex.
struct LitDraw {
    Matrix4 modelView;
    Matrix4 modelViewProjection;  // worked out once, as GL does, not per vertex
    float normalMatrix[9];
    float lightPosition[4];  // eye space; w is 0 (a direction) or 1
    float sceneColour[3];    // emission and every ambient term
    float diffuseProduct[3];
    float specularProduct[3];
    float shininess;
    float alpha;
    float size;  // the shape's radius or edge: it is made at unit size
};

struct LineVertex {
    float position[3];
    float colour[3];
};

// A shape's vertices in a buffer of their own, made once.
struct ShapeBuffer {
    unsigned buffer;
    int vertexCount;
    bool strips;
};

// Hands the programs to WebGL to compile and link. A browser may build them
// on threads of its own: until they are built, asking whether they linked
// would hold the page up for as long as a compile takes (hundreds of
// milliseconds on a software rasteriser), and the page waits without
// blocking instead.
void buildWebGLPrograms();
bool webGLProgramsBuilt();

// Once they are built: null when all went well; otherwise what went wrong,
// with the compiler's or linker's log.
const char* startWebGLDrawing();

// Clearing, the depth test and the viewport, as GL 1.x has them.
void setClearColour(float red, float green, float blue, float alpha);
void setClearDepth(float depth);
void clearCanvas(unsigned mask);
void setDepthFunction(unsigned function);
void setDepthTest(bool on);
// Everything drawn lies at the far plane: it shows only where nothing else was drawn.
void drawFarthest(bool on);
void setViewport(int x, int y, int width, int height);

ShapeBuffer uploadShape(const SolidShape& shape);

void drawLitShape(const ShapeBuffer& shape, const LitDraw& draw);

// Unlit in their vertices' colours: `mode` is GL_LINES or GL_TRIANGLES.
void drawUnlit(const LineVertex* vertices, int count, const Matrix4& modelViewProjection, unsigned mode);

// While held, nothing is cleared or drawn, though GL's state and matrices
// go on as called: a key's motion is being recorded, to be shown later.
void holdDrawing(bool held);
