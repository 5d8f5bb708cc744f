#include "hand_drawing.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "support/gl_recorder.h"

namespace {

constexpr double tolerance = 1e-5;
// Spheres per finger: knuckle, then one at the far end of each segment.
constexpr int spheresPerFinger = 4;
constexpr int thumbKnuckleSphere = fingerCount * spheresPerFinger;

std::array<double, 3> centreOf(const GlCall& call)
{
    return call.modelView.apply(0.0, 0.0, 0.0);
}

void expectPoint(const std::array<double, 3>& p, double x, double y, double z)
{
    EXPECT_NEAR(p[0], x, tolerance);
    EXPECT_NEAR(p[1], y, tolerance);
    EXPECT_NEAR(p[2], z, tolerance);
}

// Length of the image of the local X axis: how much a matrix widens along it.
double widthAlongX(const Matrix& m)
{
    return std::sqrt(m.m[0] * m.m[0] + m.m[1] * m.m[1] + m.m[2] * m.m[2]);
}

std::vector<GlCall> spheresOf(const Hand& h)
{
    resetGl();
    drawHand(h);
    return gl().callsNamed("glutSolidSphere");
}

TEST(HandDrawing, StraightFingersStandUpFromTheKnuckleLine)
{
    const std::vector<GlCall> spheres = spheresOf(Hand(1.0f));
    ASSERT_EQ(spheres.size(), fingerCount * spheresPerFinger + 3u);

    const double knuckleX[] = {-3.0, -1.5, 0.0, 1.5};
    const double tipY[] = {10.0, 12.0, 13.0, 12.0};
    for (int i = 0; i < fingerCount; ++i) {
        SCOPED_TRACE(i);
        expectPoint(centreOf(spheres[i * spheresPerFinger]), knuckleX[i], 6.0, 0.0);
        expectPoint(centreOf(spheres[i * spheresPerFinger + 3]), knuckleX[i], tipY[i], 0.0);
    }
}

TEST(HandDrawing, FullBendCurlsAFingerTowardsThePalmSide)
{
    Hand h(1.0f);
    h.setBend(1, 100.0f);
    const std::vector<GlCall> spheres = spheresOf(h);

    // 90 degrees at the knuckle, then at each joint: up, back down, inwards.
    expectPoint(centreOf(spheres[4 + 1]), -1.5, 6.0, 2.4);
    expectPoint(centreOf(spheres[4 + 2]), -1.5, 3.9, 2.4);
    expectPoint(centreOf(spheres[4 + 3]), -1.5, 3.9, 0.9);
    // The neighbours stay straight.
    expectPoint(centreOf(spheres[3]), -3.0, 10.0, 0.0);
    expectPoint(centreOf(spheres[8 + 3]), 0.0, 13.0, 0.0);
}

TEST(HandDrawing, ThumbSitsOnThePalmsRightEdgeWidenedAlongItself)
{
    const std::vector<GlCall> spheres = spheresOf(Hand(1.0f));
    const GlCall& knuckle = spheres[thumbKnuckleSphere];
    expectPoint(centreOf(knuckle), 2.0, 2.0, 0.0);
    EXPECT_NEAR(widthAlongX(knuckle.modelView), 1.5, tolerance);

    // Spread -80 about Z, twist -20 about Y, then the bend, then the widening.
    const std::vector<GlCall>& calls = gl().calls;
    auto base = std::find_if(calls.begin(), calls.end(), [](const GlCall& c) {
        return c.name == "glTranslatef" && c.args == std::vector<double>{2, -4, 0};
    });
    ASSERT_GE(calls.end() - base, 5);
    const std::vector<GlCall> thumbCalls(base + 1, base + 5);
    EXPECT_EQ(thumbCalls[0].args, (std::vector<double>{-80, 0, 0, 1}));
    EXPECT_EQ(thumbCalls[1].args, (std::vector<double>{-20, 0, 1, 0}));
    EXPECT_EQ(thumbCalls[2].args, (std::vector<double>{0, 1, 0, 0}));
    EXPECT_EQ(thumbCalls[3].name, "glScalef");
    EXPECT_EQ(thumbCalls[3].args, (std::vector<double>{1.5, 1, 1}));
}

TEST(HandDrawing, FullBendTurnsTheThumbFiftyAtItsBaseAndNinetyInside)
{
    Hand h(1.0f);
    h.setBend(4, 100.0f);
    resetGl();
    drawHand(h);

    std::vector<double> thumbAngles;
    for (const GlCall& call : gl().callsNamed("glRotatef"))
        thumbAngles.push_back(call.args[0]);
    // 4 fingers x 3 joints, then spread, twist, base bend and the inner joint.
    ASSERT_EQ(thumbAngles.size(), 12u + 4u);
    EXPECT_EQ(thumbAngles[14], 50.0);
    EXPECT_EQ(thumbAngles[15], 90.0);
}

TEST(HandDrawing, EverySphereHasEightSlicesAndStacks)
{
    for (const GlCall& sphere : spheresOf(Hand(1.0f))) {
        EXPECT_EQ(sphere.args[1], 8.0);
        EXPECT_EQ(sphere.args[2], 8.0);
    }
}

TEST(HandDrawing, JointSpheresAreNarrowerThanTheBones)
{
    const std::vector<GlCall> spheres = spheresOf(Hand(1.0f));
    EXPECT_EQ(spheres[0].args[0], 1.0);  // knuckle, radius of the size
    EXPECT_NEAR(spheres[1].args[0], 0.85, tolerance);
    EXPECT_NEAR(spheres[3].args[0], 0.85, tolerance);
}

TEST(HandDrawing, LeavesTheMatrixAndStackDepthAsFound)
{
    resetGl();
    const Matrix start = translation(1, 2, 3) * rotation(30, 0, 1, 0);
    gl().modelViewStack.back() = start;
    Hand h(1.0f);
    h.setBend(3, 55.0f);
    h.setBend(4, 70.0f);

    drawHand(h);

    EXPECT_EQ(gl().modelViewStack.size(), 1u);
    EXPECT_EQ(gl().modelView(), start);
    EXPECT_EQ(gl().callsNamed("glPushMatrix").size(), gl().callsNamed("glPopMatrix").size());
}

TEST(HandDrawing, StackNeverGoesDeeperThanSixLevels)
{
    resetGl();
    size_t deepest = 0;
    int depth = 0;
    drawHand(Hand(1.0f));
    for (const GlCall& call : gl().calls) {
        depth += call.name == "glPushMatrix" ? 1 : call.name == "glPopMatrix" ? -1 : 0;
        deepest = std::max<size_t>(deepest, depth);
    }
    EXPECT_EQ(deepest, 6u);
}

TEST(HandDrawing, PalmIsTheLastBoxDrawn)
{
    resetGl();
    drawHand(Hand(1.0f));
    const GlCall palm = gl().callsNamed("glutSolidCube").back();
    EXPECT_EQ(palm.args[0], 1.0);
    expectPoint(palm.modelView.apply(-0.5, -0.5, -0.5), -3.5, 0.0, -0.625);
    expectPoint(palm.modelView.apply(0.5, 0.5, 0.5), 2.0, 6.0, 0.625);

    // Nothing but unwinding the matrix follows the palm.
    const std::vector<GlCall>& calls = gl().calls;
    auto lastBox = std::find_if(calls.rbegin(), calls.rend(),
                                [](const GlCall& c) { return c.name == "glutSolidCube"; });
    for (auto after = calls.rbegin(); after != lastBox; ++after)
        EXPECT_EQ(after->name, "glPopMatrix");
}

TEST(HandDrawing, SegmentBoxUsesItsWidthAsEdgeOnTopOfTheScale)
{
    resetGl();
    Segment tip(0.5f, 3.0f);
    drawSegmentChain(tip);

    const GlCall box = gl().callsNamed("glutSolidCube").at(0);
    EXPECT_EQ(box.args[0], 0.5);
    expectPoint(box.modelView.apply(0.0, 0.5, 0.0), 0.0, 3.0, 0.0);
    EXPECT_NEAR(widthAlongX(box.modelView), 0.5, tolerance);

    const std::vector<GlCall> spheres = gl().callsNamed("glutSolidSphere");
    ASSERT_EQ(spheres.size(), 1u);
    EXPECT_NEAR(spheres[0].args[0], 0.85 * 0.5, tolerance);
    expectPoint(centreOf(spheres[0]), 0.0, 3.0, 0.0);
    EXPECT_TRUE(gl().callsNamed("glRotatef").empty());  // a last segment never turns
}

}  // namespace
