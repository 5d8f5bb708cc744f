#include "solid_shapes.h"

#include <GL/gl.h>

#include <cmath>
#include <vector>

namespace {

struct Point {
    float x, y, z;
};

void vertexWithNormal(const Point& normal, const Point& at)
{
    glNormal3f(normal.x, normal.y, normal.z);
    glVertex3f(at.x, at.y, at.z);
}

// The sphere's unit directions, pole to pole: the +Z pole, then each inner
// ring of `slices` points turning clockwise seen from +Z, then the -Z pole.
std::vector<Point> makeSphereDirections(int slices, int stacks)
{
    std::vector<Point> points{{0.0f, 0.0f, 1.0f}};
    for (int ring = 1; ring < stacks; ++ring) {
        const double polar = M_PI * ring / stacks;
        for (int slice = 0; slice < slices; ++slice) {
            const double around = -2.0 * M_PI * slice / slices;
            points.push_back({static_cast<float>(std::cos(around) * std::sin(polar)),
                              static_cast<float>(std::sin(around) * std::sin(polar)),
                              static_cast<float>(std::cos(polar))});
        }
    }
    points.push_back({0.0f, 0.0f, -1.0f});
    return points;
}

// The hand draws every sphere with one tessellation: its directions are
// made once, not for each sphere of each frame.
const std::vector<Point>& sphereDirections(int slices, int stacks)
{
    static std::vector<Point> directions;
    static int madeForSlices = -1;
    static int madeForStacks = -1;
    if (slices != madeForSlices || stacks != madeForStacks) {
        directions = makeSphereDirections(slices, stacks);
        madeForSlices = slices;
        madeForStacks = stacks;
    }
    return directions;
}

}  // namespace

// One triangle strip per stack, from the top down: each pairs a point of the
// lower ring with the point above it, and closes on the first pair again.
void drawSolidSphere(double radius, int slices, int stacks)
{
    const std::vector<Point>& directions = sphereDirections(slices, stacks);
    const int top = 0;
    const int bottom = static_cast<int>(directions.size()) - 1;
    auto ringPoint = [&](int ring, int slice) {  // rings 1 .. stacks - 1
        return 1 + (ring - 1) * slices + slice % slices;
    };
    auto emit = [&](int index) {
        const Point& d = directions[index];
        const float r = static_cast<float>(radius);
        vertexWithNormal(d, {d.x * r, d.y * r, d.z * r});
    };
    for (int stack = 0; stack < stacks; ++stack) {
        glBegin(GL_TRIANGLE_STRIP);
        for (int slice = 0; slice <= slices; ++slice) {
            emit(stack == stacks - 1 ? bottom : ringPoint(stack + 1, slice));
            emit(stack == 0 ? top : ringPoint(stack, slice));
        }
        glEnd();
    }
}

// Six faces of two triangles each, every vertex with its face's normal.
void drawSolidCube(double edge)
{
    const float h = static_cast<float>(edge / 2);
    const Point corners[8] = {{h, h, h},   {-h, h, h},   {-h, -h, h}, {h, -h, h},
                              {h, -h, -h}, {h, h, -h}, {-h, h, -h}, {-h, -h, -h}};
    struct Face {
        Point normal;
        int corner[4];
    };
    const Face faces[6] = {{{0, 0, 1}, {0, 1, 2, 3}},  {{1, 0, 0}, {0, 3, 4, 5}},
                           {{0, 1, 0}, {0, 5, 6, 1}},  {{-1, 0, 0}, {1, 6, 7, 2}},
                           {{0, -1, 0}, {7, 4, 3, 2}}, {{0, 0, -1}, {4, 7, 6, 5}}};
    glBegin(GL_TRIANGLES);
    for (const Face& face : faces)
        for (int k : {0, 1, 2, 0, 2, 3})
            vertexWithNormal(face.normal, corners[face.corner[k]]);
    glEnd();
}
