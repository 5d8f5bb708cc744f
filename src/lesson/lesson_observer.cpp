#include "lesson_observer.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int depthRoom = 64;  // beyond any GL's model-view stack

// The model-view calls in effect: those since the last load with nothing
// pushed, less what pops have undone. pushedAt[d] is how many were in effect
// when the push that opened depth d was made.
CallListing inEffect = {};
int pushedAt[depthRoom] = {};

// The frame being drawn, and the last one finished: at each frame's end the
// two trade places, so a frame's calls are never copied.
CallListing listings[2] = {};
CallListing* frame = &listings[0];
CallListing* lastFrame = &listings[1];
int reachedAt[jointRoom] = {};
int lastReachedAt[jointRoom] = {};
int jointsReached = 0;  // in this frame
int lastJointsReached = 0;
FrameJoints frameJoints;  // of the last frame replayed
bool replayOwed = false;  // the last frame finished is not replayed yet
bool inFrame = false;
bool dimmingUnknown = false;

CallListing baseCalls = {};

// The label the next frame call takes, if one was given.
struct CallLabel {
    bool given = false;
    int number = 0;
    int change = 0;
    double args[4] = {};
};
CallLabel nextLabel;

int selectedJoint = -1;
int shownCalls = -1;

ListedCall& append(CallListing& listing, ListedName name, const double args[], int depth, const float matrix[16])
{
    static ListedCall overflow;  // a frame beyond the room is listed no further
    if (listing.count == listedCallRoom)
        return overflow;
    ListedCall& call = listing.calls[listing.count++];
    call = {name, depth, listing.count, 0, noCallError, 0, -1, -1, 0, {}, {}, {}};
    if (listedArgCount(name) > 0) {
        std::copy_n(args, listedArgCount(name), call.args);
        std::copy_n(args, listedArgCount(name), call.given);
    }
    std::copy_n(matrix, 16, call.matrix);
    return call;
}

// A call of the frame, with its label if it has one.
void appendToFrame(ListedName name, const double args[], int depth, const float matrix[16], CallError error)
{
    ListedCall& call = append(*frame, name, args, depth, matrix);
    call.error = error;
    if (nextLabel.given) {
        call.number = nextLabel.number;
        call.change = nextLabel.change;
        std::copy_n(nextLabel.args, 4, call.given);
        nextLabel.given = false;
    }
}

// The last frame replayed (frame_replay.h) once, when first asked for: a
// motion's frames, recorded and never read, cost nothing more.
void replayIfOwed()
{
    if (!replayOwed)
        return;
    replayOwed = false;
    findJointsOfCalls(*lastFrame, lastReachedAt, lastJointsReached, frameJoints);
    replayFrame(*lastFrame, frameJoints, selectedJoint);
}

}  // namespace

void observeFrameBegun()
{
    frame->count = inEffect.count;
    std::copy_n(inEffect.calls, inEffect.count, frame->calls);
    for (int i = 0; i < frame->count; ++i)
        frame->calls[i].number = i + 1;
    jointsReached = 0;
    inFrame = true;
}

void observeMatrixCall(ListedName name, const double args[], int depth, const float matrix[16], CallError error)
{
    if (inFrame)
        appendToFrame(name, args, depth, matrix, error);
    if (error != noCallError)
        return;  // GL changed nothing
    const bool load = name == glLoadIdentityCall || name == glLoadMatrixfCall;
    if (load && depth == 1)
        inEffect.count = 0;  // a loaded matrix owes nothing to the calls before it
    if (name == glPushMatrixCall && depth < depthRoom)
        pushedAt[depth] = inEffect.count;
    if (name == glPopMatrixCall) {
        // A pop is in the frame, but takes back what its push began.
        if (depth + 1 < depthRoom)
            inEffect.count = std::min(inEffect.count, pushedAt[depth + 1]);
    } else {
        append(inEffect, name, args, depth, matrix);
    }
    if (!inFrame && depth == 1) {
        if (load)
            baseCalls.count = 0;
        append(baseCalls, name, args, depth, matrix);
    }
}

void labelNextCall(ListedName name, int number, int change, const double given[])
{
    nextLabel = {true, number, change, {}};
    if (listedArgCount(name) > 0)
        std::copy_n(given, listedArgCount(name), nextLabel.args);
}

void observeSwitchedOffCall(ListedName name, const double args[], int number, int change)
{
    if (!inFrame)
        return;
    const bool first = frame->count == 0;
    const Matrix4 identity = identityMatrix();
    const ListedCall& before = frame->calls[first ? 0 : frame->count - 1];
    labelNextCall(name, number, change | callSwitchedOff, args);
    appendToFrame(name, args, first ? 1 : before.depth, first ? identity.m : before.matrix, noCallError);
}

bool observingFrame()
{
    return inFrame;
}

int callsListedSoFar()
{
    return frame->count;
}

const CallListing& baseTransformCalls()
{
    return baseCalls;
}

ShapeDrawing observeShape(ListedName name, const double args[], int depth, const float matrix[16])
{
    if (!inFrame)
        return {true, false};
    appendToFrame(name, args, depth, matrix, noCallError);
    const bool reached = shownCalls < 0 || frame->count <= shownCalls;
    // A shape's joint, like every call's, is the unchanged frame's: the last frame's serves.
    if (selectedJoint >= 0)
        replayIfOwed();
    if (selectedJoint >= 0 && frameJoints.count == 0)
        dimmingUnknown = true;
    const int joint = frame->count <= frameJoints.count ? frameJoints.ofCall[frame->count] : -1;
    return {reached, selectedJoint >= 0 && frameJoints.count > 0 && !jointWithin(frameJoints, joint, selectedJoint)};
}

void observeJointReached(int joint)
{
    if (joint < 0 || joint >= jointRoom)
        return;
    reachedAt[joint] = frame->count;
    jointsReached = std::max(jointsReached, joint + 1);
}

void observeFrameFinished()
{
    inFrame = false;
    std::swap(frame, lastFrame);
    std::copy_n(reachedAt, jointRoom, lastReachedAt);
    lastJointsReached = jointsReached;
    replayOwed = true;
}

bool selectionWantsAnotherFrame()
{
    const bool wanted = dimmingUnknown;
    dimmingUnknown = false;
    return wanted;
}

void selectJointSubtree(int joint)
{
    selectedJoint = joint;
}

void drawOnlyFirstCalls(int count)
{
    shownCalls = count;
}

const CallListing& lastFrameCalls()
{
    replayIfOwed();
    return *lastFrame;
}

const int* lastJointReachedAt()
{
    return lastReachedAt;
}
