#include "hierarchy_view.h"

#include <GL/glut.h>
#include <emscripten.h>

#include "hand_model.h"
#include "joint_frames.h"
#include "matrix_stacks.h"

namespace {

TransformChain fingertipChains[digitCount];
int axesSwitch = 0;  // written by page.js

void noteJointFrame(JointPlace place, const Segment* segment)
{
    const int frame = recordJointFrame(place, segment);
    for (int digit = 0; digit < digitCount; ++digit)
        if (frame == fingertipFrame(digit))
            fingertipChains[digit] = transformsInEffect();
}

}  // namespace

void recordHierarchy()
{
    startRecordingJointFrames(hand);
    jointFrameReached = noteJointFrame;
}

void drawHierarchyOverFrame()
{
    if (axesSwitch)
        drawJointAxes(lastJointFrames());
}

extern "C" {

// Where the page reads the joint frames, the fingertips' chains and the
// switch, straight from memory, like the pose.
EMSCRIPTEN_KEEPALIVE const JointFrame* webJointFrames()
{
    return lastJointFrames();
}

EMSCRIPTEN_KEEPALIVE const TransformChain* webFingertipChains()
{
    return fingertipChains;
}

EMSCRIPTEN_KEEPALIVE int* webAxesSwitch()
{
    return &axesSwitch;
}

// The switch was turned: the picture is drawn again with or without axes.
EMSCRIPTEN_KEEPALIVE void webRedisplay()
{
    glutPostRedisplay();
}

}  // extern "C"
