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
bool inFrame = false;

int selectedJoint = -1;
int shownCalls = -1;
int subtreeDepth = -1;  // the depth at which the selected joint was reached in this frame, or -1

void append(CallListing& listing, ListedName name, const double args[], int depth, const float matrix[16])
{
    if (listing.count == listedCallRoom)
        return;
    ListedCall& call = listing.calls[listing.count++];
    call = {name, depth, {}, {}};
    if (listedArgCount(name) > 0)
        std::copy_n(args, listedArgCount(name), call.args);
    std::copy_n(matrix, 16, call.matrix);
}

}  // namespace

void observeFrameBegun()
{
    frame->count = inEffect.count;
    std::copy_n(inEffect.calls, inEffect.count, frame->calls);
    subtreeDepth = -1;
    inFrame = true;
}

void observeMatrixCall(ListedName name, const double args[], int depth, const float matrix[16])
{
    const bool load = name == glLoadIdentityCall || name == glLoadMatrixfCall;
    if (load && depth == 1)
        inEffect.count = 0;  // a loaded matrix owes nothing to the calls before it
    if (name == glPushMatrixCall && depth < depthRoom)
        pushedAt[depth] = inEffect.count;
    if (name == glPopMatrixCall) {
        // A pop is in the frame, but takes back what its push began.
        if (depth + 1 < depthRoom)
            inEffect.count = std::min(inEffect.count, pushedAt[depth + 1]);
        if (depth < subtreeDepth)
            subtreeDepth = -1;
    } else {
        append(inEffect, name, args, depth, matrix);
    }
    if (inFrame)
        append(*frame, name, args, depth, matrix);
}

ShapeDrawing observeShape(ListedName name, const double args[], int depth, const float matrix[16])
{
    if (!inFrame)
        return {true, false};
    append(*frame, name, args, depth, matrix);
    const bool reached = shownCalls < 0 || frame->count <= shownCalls;
    return {reached, selectedJoint >= 0 && subtreeDepth < 0};
}

void observeJointReached(int joint, int depth)
{
    if (joint < 0 || joint >= jointRoom)
        return;
    reachedAt[joint] = frame->count;
    if (joint == selectedJoint)
        subtreeDepth = depth;
}

void observeFrameFinished()
{
    inFrame = false;
    std::swap(frame, lastFrame);
    std::copy_n(reachedAt, jointRoom, lastReachedAt);
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
    return *lastFrame;
}

const int* lastJointReachedAt()
{
    return lastReachedAt;
}
