// What the page's exercises and its changes to the frame's calls ask of the
// viewer: changes asked for call by call, then made or judged; the hand an
// exercise aims at, drawn faint behind; and where a joint would be in
// another pose. The lesson (call_changes.h) does the working out.

#include "exercise_view.h"

#include <GL/glut.h>
#include <emscripten.h>

#include <algorithm>

#include "call_changes.h"
#include "hand_drawing.h"
#include "joint_frames.h"
#include "lesson_observer.h"
#include "matrix_stacks.h"
#include "pose.h"
#include "scene.h"

namespace {

// Changes as the page asks for them, and those kept to compare them with.
CallChanges asked;
CallChanges kept;
bool askedUnknown = false;  // a number asked for that no frame has
int unknownCall = 0;

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

namespace {

// Why the changes asked for cannot be made to the frame `unchanged`, or "".
const char* refusalOfAsked(const CallListing& unchanged)
{
    static Sentence refusal;
    refusal = askedUnknown ? Sentence() << "There is no call " << unknownCall << "." : refusalOfChanges(unchanged, asked);
    return refusal.text;
}

bool inRange(int number)
{
    if (number >= 1 && number <= listedCallRoom)
        return true;
    askedUnknown = true;
    unknownCall = number;
    return false;
}

}  // namespace

extern "C" {

// Changes asked for one at a time, numbered as calls() numbers the
// unchanged frame: a call switched off, a swap, a call's numbers.
EMSCRIPTEN_KEEPALIVE void webAskNoChange()
{
    asked = {};
    askedUnknown = false;
}

EMSCRIPTEN_KEEPALIVE void webAskOff(int number)
{
    if (inRange(number))
        asked.off[number] = true;
}

EMSCRIPTEN_KEEPALIVE void webAskSwap(int number)
{
    if (inRange(number))
        asked.swap = number;
}

EMSCRIPTEN_KEEPALIVE void webAskNumbers(int number, int count, double a, double b, double c, double d)
{
    if (!inRange(number))
        return;
    asked.edited[number] = count;
    const double numbers[] = {a, b, c, d};
    std::copy_n(numbers, 4, asked.args[number]);
}

// The changes asked for, made from the next frame on; or the reason they
// cannot be.
EMSCRIPTEN_KEEPALIVE const char* webChangeCalls()
{
    const char* refusal = refusalOfAsked(unchangedCalls());
    if (!*refusal) {
        setCallChanges(asked);
        glutPostRedisplay();
    }
    return refusal;
}

// What the last frame would do without its clean start, in a sentence.
EMSCRIPTEN_KEEPALIVE const char* webWithoutCleanStart()
{
    static Sentence sentence;
    sentence = anyCallChanged() ? withoutCleanStart(lastFrameCalls()) : Sentence();
    return sentence.text;
}

// The changes asked for are kept, to be compared with the next asked for.
EMSCRIPTEN_KEEPALIVE void webKeepAsked()
{
    kept = asked;
}

// Why the changes asked for cannot be made, or "": nothing is changed.
EMSCRIPTEN_KEEPALIVE const char* webRefusalOfAsked()
{
    return refusalOfAsked(unchangedCalls());
}

// The frame under the changes asked for, against the frame under those kept
// and the unchanged frame: 1 when it draws every shape where the kept do,
// within 1e-4, 0 when not, -1 when either cannot be made; then how many
// shapes it moves from the unchanged frame, the first of them (a call's
// index, or -1), and how many the kept changes move.
EMSCRIPTEN_KEEPALIVE const int* webCompareAsked()
{
    static CallListing drawn[2];
    static int answer[4];
    const CallListing& unchanged = unchangedCalls();
    if (*refusalOfAsked(unchanged) || !refusalOfChanges(unchanged, kept).empty()) {
        answer[0] = -1;
        return answer;
    }
    replayWithChanges(unchanged, asked, drawn[0]);
    replayWithChanges(unchanged, kept, drawn[1]);
    int first = -1;
    answer[0] = movedShapes(drawn[0], drawn[1], first) == 0 ? 1 : 0;
    answer[1] = movedShapes(drawn[0], unchanged, answer[2]);
    answer[3] = movedShapes(drawn[1], unchanged, first);
    return answer;
}

// The hand an exercise aims at, drawn faint behind from the next frame:
// a pose, or the frame under the changes asked for; or none.
EMSCRIPTEN_KEEPALIVE void webTargetPose(float b0, float b1, float b2, float b3, float b4, float x, float y, float z)
{
    targetPose = {{b0, b1, b2, b3, b4}, {x, y, z}};
    target = Target::pose;
    glutPostRedisplay();
}

EMSCRIPTEN_KEEPALIVE void webTargetAsked()
{
    targetChanges = asked;
    target = Target::changes;
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
