#include "joint_frames.h"

#include <gtest/gtest.h>

#include "support/recorded_joints.h"

namespace {

// Each frame is the matrix GL holds where drawing reaches its joint, in
// drawing order: the next call is drawHand's first push, the push opening a
// segment's chain, or the digit's last sphere.
TEST(JointFrames, AreTheMatricesGlHoldsWhereDrawingReachesEachJoint)
{
    for (const std::string keys : {"", "rrrr", "4", "/.,]9"}) {
        SCOPED_TRACE(keys);
        const std::vector<JointFrame> frames = recordedJointFrames(keys);
        std::vector<GlCall> next;
        for (size_t i = 0; i + 1 < gl().calls.size(); ++i)
            if (gl().calls[i].name == "glGetFloatv")
                next.push_back(gl().calls[i + 1]);
        ASSERT_EQ(next.size(), static_cast<size_t>(jointFrameCount));
        for (int k = 0; k < jointFrameCount; ++k) {
            const std::string name = frames[k].name;
            SCOPED_TRACE(name);
            EXPECT_EQ(next[k].name, name.find("tip") == std::string::npos ? "glPushMatrix" : "glutSolidSphere");
            for (int e = 0; e < 16; ++e)
                EXPECT_NEAR(frames[k].matrix[e], next[k].modelView.m[e], 1e-4);
        }
    }
}

}  // namespace
