// What the page's exercises and its changes to the frame's calls ask of the
// viewer: changes made from a link's text, the hand an exercise aims at
// drawn faint behind, and where a joint would be in another pose. The
// lesson (call_changes.h) does the working out.

#include "exercise_view.h"

#include <GL/glut.h>
#include <emscripten.h>

#include <algorithm>

#include "call_changes.h"
#include "hand_drawing.h"
#include "joint_frames.h"
#include "lesson_observer.h"
#include "matrix_stacks.h"
#include "page_state.h"
#include "pose.h"
#include "scene.h"

namespace {

// The hand an exercise aims at: a pose, or the frame under changes.
enum class Target { none, pose, changes };
Target target = Target::none;
Pose targetPose;
CallChanges targetChanges;

// The frame as the program means it, whatever changes stand.
const CallListing& unchangedCalls()
{
    static CallListing unchanged;
    unchangedFrame(lastFrameCalls(), unchanged);
    return unchanged;
}

// The hand in `pose`, drawn as the page asks; the pose on show stays.
void drawInPose(const Pose& pose, PageDrawing drawing)
{
    const Pose shown = currentPose();
    setPose(pose.bend, pose.rotation);
    setPageDrawing(drawing);
    drawHandInView();
    setPageDrawing(PageDrawing::programs);
    setPose(shown.bend, shown.rotation);
}

void drawShapesOf(const CallListing& calls)
{
    setPageDrawing(PageDrawing::faintBehind);
    glPushMatrix();
    for (int i = 0; i < calls.count; ++i) {
        const ListedCall& call = calls.calls[i];
        glLoadMatrixf(call.matrix);
        if (call.name == glutSolidSphereCall)
            glutSolidSphere(call.args[0], static_cast<int>(call.args[1]), static_cast<int>(call.args[2]));
        else if (call.name == glutSolidCubeCall)
            glutSolidCube(call.args[0]);
    }
    glPopMatrix();
    setPageDrawing(PageDrawing::programs);
}

}  // namespace

void drawExerciseTarget()
{
    if (target == Target::pose) {
        const JointFrameHook hook = jointFrameHook();  // the frame's joint frames stay the frame's
        setJointFrameHook(nullptr);
        drawInPose(targetPose, PageDrawing::faintBehind);
        setJointFrameHook(hook);
    } else if (target == Target::changes) {
        static CallListing changed;
        replayWithChanges(unchangedCalls(), targetChanges, changed);
        drawShapesOf(changed);
    }
}

extern "C" {

// Changes to the frame's calls, in a link's words ("" for none), made from
// the next frame on; the reason they cannot be, or "".
EMSCRIPTEN_KEEPALIVE const char* webChangeCalls(const char* text)
{
    static CallChanges asked;
    static Sentence refusal;
    if (!readCallChanges(text, asked))
        return "The changes could not be read: they are written skip=K,K&swap=K&edit=K:A,B,C.";
    refusal = refusalOfChanges(unchangedCalls(), asked);
    if (refusal.empty()) {
        setCallChanges(asked);
        glutPostRedisplay();
    }
    return refusal.text;
}

// What the last frame would do without its clean start, in a sentence.
EMSCRIPTEN_KEEPALIVE const char* webWithoutCleanStart()
{
    static Sentence sentence;
    sentence = anyCallChanged() ? withoutCleanStart(lastFrameCalls()) : Sentence();
    return sentence.text;
}

// 1 when the frame under changes `a` draws every shape where it does under
// `b`, within 1e-4; 0 when not; -1 when either cannot be read or made.
EMSCRIPTEN_KEEPALIVE int webSameShapes(const char* a, const char* b)
{
    static CallChanges changes[2];
    static CallListing drawn[2];
    for (int i = 0; i < 2; ++i) {
        if (!readCallChanges(i == 0 ? a : b, changes[i]) || !refusalOfChanges(unchangedCalls(), changes[i]).empty())
            return -1;
        replayWithChanges(unchangedCalls(), changes[i], drawn[i]);
    }
    return sameShapes(drawn[0], drawn[1]) ? 1 : 0;
}

// The hand an exercise aims at, drawn faint behind from the next frame:
// a pose, or the frame under changes in a link's words; or none.
EMSCRIPTEN_KEEPALIVE void webTargetPose(float b0, float b1, float b2, float b3, float b4, float x, float y, float z)
{
    targetPose = {{b0, b1, b2, b3, b4}, {x, y, z}};
    target = Target::pose;
    glutPostRedisplay();
}

EMSCRIPTEN_KEEPALIVE void webTargetChanges(const char* text)
{
    target = readCallChanges(text, targetChanges) ? Target::changes : Target::none;
    glutPostRedisplay();
}

EMSCRIPTEN_KEEPALIVE void webNoTarget()
{
    target = Target::none;
    glutPostRedisplay();
}

// Joint frame `joint`'s matrix were the hand in the given pose. Nothing is
// drawn; the joint frames are taken again in the pose on show.
EMSCRIPTEN_KEEPALIVE const float* webJointInPose(float b0, float b1, float b2, float b3, float b4, float x, float y,
                                                 float z, int joint)
{
    static float matrix[16];
    if (joint < 0 || joint >= jointFrameCount)
        return nullptr;
    drawInPose({{b0, b1, b2, b3, b4}, {x, y, z}}, PageDrawing::unseen);
    std::copy_n(lastJointFrames()[joint].matrix, 16, matrix);
    drawInPose(currentPose(), PageDrawing::unseen);
    return matrix;
}

}  // extern "C"
