#include "scene.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>

#include "hand_model.h"
#include "support/fresh_start.h"

namespace {

constexpr double tolerance = 1e-5;

std::vector<float> param(GLenum target, GLenum name)
{
    return gl().params[{target, name}];
}

class Scene : public ::testing::Test {
protected:
    void SetUp() override { startFresh(); }
    void TearDown() override { startFresh(); }
};

TEST_F(Scene, InitialStateClearsToBlackWithDepthTest)
{
    initGLState();
    std::vector<std::string> names;
    for (const GlCall& call : gl().calls)
        names.push_back(call.name);
    EXPECT_EQ(names, (std::vector<std::string>{"glClearColor", "glClearDepth", "glDepthFunc",
                                                "glEnable", "glShadeModel"}));
    EXPECT_EQ(gl().calls[0].args, (std::vector<double>{0, 0, 0, 0}));
    EXPECT_EQ(gl().calls[1].args[0], 1.0);
    EXPECT_EQ(gl().calls[2].args[0], GL_LEQUAL);
    EXPECT_EQ(gl().calls[3].args[0], GL_DEPTH_TEST);
    EXPECT_EQ(gl().calls[4].args[0], GL_SMOOTH);
}

TEST_F(Scene, FrameLightsTheHandAndNeverNormalizes)
{
    initGLState();
    reshapeView(300, 300);
    const Matrix base = gl().modelView();
    displayScene();

    EXPECT_EQ(gl().everEnabled,
              (std::set<GLenum>{GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT0, GL_COLOR_MATERIAL}));
    EXPECT_EQ(gl().everEnabled.count(GL_NORMALIZE), 0u);
    EXPECT_EQ(param(GL_LIGHT0, GL_AMBIENT), (std::vector<float>{0.2f, 0.2f, 0.4f, 1.0f}));
    EXPECT_EQ(param(GL_LIGHT0, GL_SPECULAR), (std::vector<float>{1, 1, 1, 1}));
    EXPECT_EQ(param(GL_LIGHT0, GL_POSITION), (std::vector<float>{0, 500, 100, 1}));
    EXPECT_EQ(param(GL_LIGHT0, GL_DIFFUSE), std::vector<float>{});  // GL's white default
    EXPECT_EQ(param(GL_FRONT_AND_BACK, GL_SPECULAR), (std::vector<float>{1, 1, 1, 1}));
    EXPECT_EQ(param(GL_FRONT_AND_BACK, GL_SHININESS), (std::vector<float>{50}));
    EXPECT_EQ(gl().colour, (std::vector<float>{1.0f, 0.8f, 0.0f}));

    // The light is placed under the base transform alone, so it stays with
    // the viewer: (0, 500, 90) in eye space.
    const std::vector<GlCall> lights = gl().callsNamed("glLightfv");
    ASSERT_EQ(lights.size(), 3u);
    EXPECT_EQ(lights[0].args[1], GL_AMBIENT);
    EXPECT_EQ(lights[1].args[1], GL_SPECULAR);
    EXPECT_EQ(lights[2].args[1], GL_POSITION);
    EXPECT_EQ(lights[2].modelView, base);
    const auto eyeLight = base.apply(0, 500, 100);
    EXPECT_NEAR(eyeLight[2], 90.0, tolerance);
}

TEST_F(Scene, FrameSetsStateBeforeDrawingAndSwapsLast)
{
    displayScene();
    const std::vector<GlCall>& calls = gl().calls;
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().name, "glClear");
    EXPECT_EQ(calls.front().args[0], GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    EXPECT_EQ(calls.back().name, "glutSwapBuffers");

    std::vector<std::string> enables;
    size_t firstPrimitive = 0;
    size_t colourAt = 0;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].name == "glEnable")
            enables.push_back(std::to_string(static_cast<int>(calls[i].args[0])));
        if (calls[i].name == "glColor3fv")
            colourAt = i;
        if (!firstPrimitive && calls[i].name.rfind("glutSolid", 0) == 0)
            firstPrimitive = i;
    }
    EXPECT_EQ(enables, (std::vector<std::string>{std::to_string(GL_LIGHTING),
                                                  std::to_string(GL_LIGHT0),
                                                  std::to_string(GL_COLOR_MATERIAL)}));
    EXPECT_LT(colourAt, firstPrimitive);
}

TEST_F(Scene, HandOriginSitsBelowTheViewCentreWhateverTheAngles)
{
    reshapeView(300, 300);
    rotX = 30.0f;
    rotY = 200.0f;
    rotZ = -45.0f;
    displayScene();

    const GlCall colour = gl().callsNamed("glColor3fv").at(0);
    const auto origin = colour.modelView.apply(0, 0, 0);
    EXPECT_NEAR(origin[0], 0.0, tolerance);
    EXPECT_NEAR(origin[1], -5.0, tolerance);
    EXPECT_NEAR(origin[2], -25.0, tolerance);

    // Turned about Z first, then Y, then X, as seen from the hand outwards.
    const Matrix expected = translation(0, 0, -10) * translation(0, -5, -15) *
                            rotation(-45, 0, 0, 1) * rotation(200, 0, 1, 0) *
                            rotation(30, 1, 0, 0);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(colour.modelView.m[i], expected.m[i], tolerance) << i;
}

TEST_F(Scene, TwoFramesInARowLeaveTheMatrixUnchanged)
{
    reshapeView(300, 300);
    const Matrix base = gl().modelView();
    displayScene();
    displayScene();
    EXPECT_EQ(gl().modelViewStack.size(), 1u);
    EXPECT_EQ(gl().modelView(), base);
    EXPECT_EQ(gl().swaps, 2);
}

TEST_F(Scene, ReshapeKeepsFieldOfViewAndFollowsTheAspect)
{
    struct Case {
        int width, height;
        double aspect;
    } cases[] = {{300, 300, 1.0}, {640, 480, 640.0 / 480.0}, {1, 1, 1.0}, {200, 900, 200.0 / 900.0},
                 {4000, 30, 4000.0 / 30.0}, {640, 0, 640.0}, {0, 0, 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        resetGl();
        reshapeView(c.width, c.height);

        EXPECT_EQ(gl().viewport, (std::array<int, 4>{0, 0, c.width, c.height}));
        const std::vector<GlCall> perspective = gl().callsNamed("gluPerspective");
        ASSERT_EQ(perspective.size(), 1u);
        EXPECT_EQ(perspective[0].args[0], 55.0);
        EXPECT_DOUBLE_EQ(perspective[0].args[1], c.aspect);
        EXPECT_TRUE(std::isfinite(perspective[0].args[1]));
        EXPECT_EQ(perspective[0].args[2], 1.0);
        EXPECT_EQ(perspective[0].args[3], 40.0);

        EXPECT_EQ(gl().matrixMode, static_cast<GLenum>(GL_MODELVIEW));
        EXPECT_EQ(gl().modelView(), translation(0, 0, -10));
        EXPECT_EQ(gl().projectionStack.size(), 1u);
    }
}

}  // namespace
