#pragma once

// Solid spheres and cubes built from immediate-mode triangles, with the same
// vertices, normals and triangle order as freeglut's glutSolidSphere and
// glutSolidCube, for a GL that lacks them. Every vertex carries its own
// normal: the browser's fixed-function emulation keeps no current normal
// between calls.

void drawSolidSphere(double radius, int slices, int stacks);
void drawSolidCube(double edge);
