#pragma once

#include <memory>

// freeglut's solid sphere and cube at unit size, with its vertices, normals
// and triangle order: the page makes each into a buffer once and draws it
// scaled to the size each call asks for, as freeglut scales it.

struct ShapeVertex {
    float position[3];
    float normal[3];
};

// One triangle strip, or triangles.
struct SolidShape {
    std::unique_ptr<ShapeVertex[]> vertices;
    int vertexCount;
    bool strips;
};

// Radius 1: freeglut's strip per stack, from the +Z pole down, joined into
// one strip so that a sphere is one draw call.
SolidShape unitSphere(int slices, int stacks);

// Edge 1: six faces of two triangles.
SolidShape unitCube();
