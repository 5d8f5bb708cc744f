#include "hierarchy_view.h"

#include <GL/glut.h>
#include <emscripten.h>

#include <cstddef>

#include "fixed_function.h"
#include "hand_model.h"
#include "joint_frames.h"
#include "matrix_stacks.h"

// page.js reads these from memory as they are laid out here for wasm32 (its
// `layout`): a change on either side must be made on both.
static_assert(jointFrameCount == 20);
static_assert(sizeof(JointFrame) == 72 && offsetof(JointFrame, label) == 4 && offsetof(JointFrame, matrix) == 8);
static_assert(listedCallRoom == 512 && sizeof(ListedCall) == 88 && offsetof(ListedCall, depth) == 4 &&
              offsetof(ListedCall, args) == 8 && offsetof(ListedCall, matrix) == 24);
static_assert(sizeof(CallListing) == 4 + 512 * 88 && offsetof(CallListing, calls) == 4);

namespace {

int axesSwitch = 0;  // written by page.js
int selectedJoint = -1;  // a joint frame's index, or -1
// How many of the frame's calls were listed when each joint frame was reached.
int jointCalls[jointFrameCount] = {};

int shownCalls = -1;  // stepping: the calls shown, or -1 for the whole frame

// Where stepping has reached, the current matrix's frame is drawn large.
constexpr float stepAxisLength = 3.0f;
constexpr float stepAxisWidth = 5.0f;

// Each joint frame as drawing reaches it: where it falls among the frame's
// calls (page.js finds a fingertip's chain there), and where the selected
// joint's highlight begins.
void noteJointFrame(int frame)
{
    jointCalls[frame] = callsListedSoFar();
    if (frame == selectedJoint)
        beginHighlight();
}

}  // namespace

void recordHierarchy()
{
    startRecordingJointFrames(hand, noteJointFrame);
}

void drawHierarchyOverFrame()
{
    if (axesSwitch)
        drawJointAxes(lastJointFrames());
    if (selectedJoint >= 0)
        drawSelectedJointAxes(lastJointFrames(), selectedJoint);
    // At the last step the picture is the whole frame, with nothing over it.
    const CallListing& calls = lastFrameCalls();
    if (shownCalls > 0 && shownCalls < calls.count)
        drawFrameAxes(calls.calls[shownCalls - 1].matrix, stepAxisLength, stepAxisWidth);
}

extern "C" {

// Where the page reads the joint frames, the last frame's calls, where each
// joint was reached among them, and the switch, straight from memory, like
// the pose.
EMSCRIPTEN_KEEPALIVE const JointFrame* webJointFrames()
{
    return lastJointFrames();
}

EMSCRIPTEN_KEEPALIVE const CallListing* webFrameCalls()
{
    return &lastFrameCalls();
}

EMSCRIPTEN_KEEPALIVE int* webAxesSwitch()
{
    return &axesSwitch;
}

EMSCRIPTEN_KEEPALIVE const int* webJointCalls()
{
    return jointCalls;
}

EMSCRIPTEN_KEEPALIVE const float* webProjection()
{
    return projectionMatrix().m;
}

// A joint selected, or with -1 none: its subtree stands out, the rest dimmed.
EMSCRIPTEN_KEEPALIVE void webSelectJoint(int frame)
{
    selectedJoint = frame;
    dimOutsideHighlight(frame >= 0);
    glutPostRedisplay();
}

// Stepping through the drawing: calls 1 .. count drawn, or -1 for all.
EMSCRIPTEN_KEEPALIVE void webShowCalls(int count)
{
    shownCalls = count;
    drawOnlyFirstCalls(count);
    glutPostRedisplay();
}

// The switch was turned: the picture is drawn again with or without axes.
EMSCRIPTEN_KEEPALIVE void webRedisplay()
{
    glutPostRedisplay();
}

}  // extern "C"
