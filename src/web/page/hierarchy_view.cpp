#include "hierarchy_view.h"

#include <GL/glut.h>
#include <emscripten.h>

#include <algorithm>

#include "hand_model.h"
#include "joint_frames.h"
#include "matrix_stacks.h"

namespace {

TransformChain fingertipChains[digitCount];
int axesSwitch = 0;  // written by page.js

// At a fingertip, the calls in effect are that digit's chain: only those
// are copied, five times a frame.
void noteJointFrame(JointPlace place, const Segment* segment)
{
    const int frame = recordJointFrame(place, segment);
    if (place != JointPlace::fingertip)
        return;
    const TransformChain& calls = transformsInEffect();
    for (int digit = 0; digit < digitCount; ++digit) {
        if (frame != fingertipFrame(digit))
            continue;
        TransformChain& chain = fingertipChains[digit];
        chain.count = calls.count;
        std::copy(calls.calls, calls.calls + calls.count, chain.calls);
    }
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
