#pragma once

#include "matrix4.h"
#include "solid_shapes.h"

// The fixed-function layer's WebGL side: two programs, compiled once at
// start-up, one for lit triangles and one for unlit lines.

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
    int runLength;
    bool strips;
};

// Compiles the programs; false when WebGL refuses them.
bool startWebGLDrawing();

ShapeBuffer uploadShape(const SolidShape& shape);

void drawLitShape(const ShapeBuffer& shape, const LitDraw& draw);

void drawUnlitLines(const LineVertex* vertices, int count, const Matrix4& modelViewProjection);
