#include "solid_shapes.h"

#include <emscripten/em_math.h>

#include <cmath>

namespace {

// Step `i` of `n` around a circle (clockwise for a negative n) or around
// half of one, in floats, as freeglut tabulates it: the last step lands
// exactly on the first point, or on the far pole.
struct CirclePoint {
    float sine, cosine;
};

CirclePoint circlePoint(int n, bool half, int i)
{
    const int size = std::abs(n);
    if (i == 0 || (i == size && !half))
        return {0.0f, 1.0f};
    if (i == size)
        return {0.0f, -1.0f};
    const float step = (half ? 1 : 2) * static_cast<float>(M_PI) / static_cast<float>(n);
    const float angle = step * static_cast<float>(i);
    return {static_cast<float>(emscripten_math_sin(angle)),
            static_cast<float>(emscripten_math_cos(angle))};
}

// On a unit sphere a point is its own normal.
ShapeVertex onUnitSphere(float x, float y, float z)
{
    return {{x, y, z}, {x, y, z}};
}

// Ring 0 is the +Z pole and ring `stacks` the -Z pole; each ring between
// has `slices` points, the first again after the last.
ShapeVertex spherePoint(int slices, int stacks, int ring, int slice)
{
    if (ring == 0)
        return onUnitSphere(0, 0, 1);
    if (ring == stacks)
        return onUnitSphere(0, 0, -1);
    const CirclePoint around = circlePoint(-slices, false, slice % slices);
    const CirclePoint polar = circlePoint(stacks, true, ring);
    return onUnitSphere(around.cosine * polar.sine, around.sine * polar.sine, polar.cosine);
}

}  // namespace

SolidShape unitSphere(int slices, int stacks)
{
    // A stack's strip has an even length, and each join repeats the last
    // point of one stack and the first of the next: the triangles between
    // have no area, and every stack's triangles keep their winding.
    const int runLength = 2 * (slices + 1);
    const int joins = stacks > 1 ? stacks - 1 : 0;
    const int vertexCount = stacks > 0 ? runLength * stacks + 2 * joins : 0;
    SolidShape sphere{std::make_unique<ShapeVertex[]>(vertexCount), vertexCount, true};
    // Each stack pairs a point of its lower ring with the one above it and
    // closes on the first pair again.
    ShapeVertex* next = sphere.vertices.get();
    for (int stack = 0; stack < stacks; ++stack) {
        if (stack > 0) {
            next[0] = next[-1];
            next[1] = spherePoint(slices, stacks, stack + 1, 0);
            next += 2;
        }
        for (int slice = 0; slice <= slices; ++slice) {
            *next++ = spherePoint(slices, stacks, stack + 1, slice);
            *next++ = spherePoint(slices, stacks, stack, slice);
        }
    }
    return sphere;
}

SolidShape unitCube()
{
    const float h = 0.5f;
    const float corners[8][3] = {{h, h, h},   {-h, h, h},  {-h, -h, h}, {h, -h, h},
                                 {h, -h, -h}, {h, h, -h}, {-h, h, -h}, {-h, -h, -h}};
    struct Face {
        float normal[3];
        int corner[4];
    };
    const Face faces[6] = {{{0, 0, 1}, {0, 1, 2, 3}},  {{1, 0, 0}, {0, 3, 4, 5}},
                           {{0, 1, 0}, {0, 5, 6, 1}},  {{-1, 0, 0}, {1, 6, 7, 2}},
                           {{0, -1, 0}, {7, 4, 3, 2}}, {{0, 0, -1}, {4, 7, 6, 5}}};
    const int trianglePoints[6] = {0, 1, 2, 0, 2, 3};  // a face's two triangles
    SolidShape cube{std::make_unique<ShapeVertex[]>(36), 36, false};
    ShapeVertex* next = cube.vertices.get();
    for (const Face& face : faces)
        for (int k : trianglePoints) {
            const float* at = corners[face.corner[k]];
            *next++ = {{at[0], at[1], at[2]}, {face.normal[0], face.normal[1], face.normal[2]}};
        }
    return cube;
}
