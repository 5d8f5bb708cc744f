#include "hierarchy_view.h"

#include <GL/glut.h>
#include <emscripten.h>

#include "hand_model.h"
#include "joint_frames.h"
#include "lesson_observer.h"
#include "matrix_stacks.h"

namespace {

// What the page shows of the lesson, as its one setter last set it.
struct LessonView {
    bool axes = false;   // every joint frame's axes
    int joint = -1;      // the selected joint frame, or -1
    int step = -1;       // the calls drawn when stepping, or -1 for the whole frame
};
LessonView shown;

// Where stepping has reached, the current matrix's frame is drawn large.
constexpr float stepAxisLength = 3.0f;
constexpr float stepAxisWidth = 5.0f;

}  // namespace

void recordHierarchy()
{
    startRecordingJointFrames(hand, observeJointReached);
}

void drawHierarchyOverFrame()
{
    if (shown.axes)
        drawJointAxes(lastJointFrames());
    if (shown.joint >= 0)
        drawSelectedJointAxes(lastJointFrames(), shown.joint);
    // At the last step the picture is the whole frame, with nothing over it.
    const CallListing& calls = lastFrameCalls();
    if (shown.step > 0 && shown.step < calls.count)
        drawFrameAxes(calls.calls[shown.step - 1].matrix, stepAxisLength, stepAxisWidth);
    if (selectionWantsAnotherFrame())
        glutPostRedisplay();
}

extern "C" {

// The page's lesson as it now stands: the joint frames' switch, the
// selected joint (-1 for none) and the calls drawn (-1 for all). The
// picture is drawn again to show it.
EMSCRIPTEN_KEEPALIVE void webShowLesson(int axes, int joint, int step)
{
    shown = {axes != 0, joint >= 0 && joint < jointFrameCount ? joint : -1, step};
    selectJointSubtree(shown.joint);
    drawOnlyFirstCalls(step);
    glutPostRedisplay();
}

// Where the page reads the last frame's joint frames and calls.
EMSCRIPTEN_KEEPALIVE const JointFrame* webJointFrames()
{
    return lastJointFrames();
}

EMSCRIPTEN_KEEPALIVE const CallListing* webFrameCalls()
{
    return &lastFrameCalls();
}

EMSCRIPTEN_KEEPALIVE const float* webProjection()
{
    return projectionMatrix().m;
}

// The lesson's answers about the last frame, for the page to show.

// How many calls came before joint frame `joint` was reached.
EMSCRIPTEN_KEEPALIVE int webJointReachedAt(int joint)
{
    return joint >= 0 && joint < jointFrameCount ? lastJointReachedAt()[joint] : 0;
}

// The calls in effect after the first `count`: how many, then their indices.
EMSCRIPTEN_KEEPALIVE const int* webCallsInEffect(int count)
{
    static int answer[1 + listedCallRoom];
    answer[0] = callsInEffect(lastFrameCalls(), count, answer + 1);
    return answer;
}

// The matrix call `call` multiplied in, or null for none.
EMSCRIPTEN_KEEPALIVE const float* webMatrixOfCall(int call)
{
    static Matrix4 matrix;
    const CallListing& calls = lastFrameCalls();
    if (call < 0 || call >= calls.count || !matrixOfCall(calls.calls[call], matrix))
        return nullptr;
    return matrix.m;
}

}  // extern "C"
