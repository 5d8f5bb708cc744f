#include "frame_replay.h"

#include <algorithm>

namespace {

// How many calls the program had made when a joint was reached after
// `listed` calls were listed: one more if the first of a swapped pair was
// held back then, to be listed after its neighbour.
int callsMadeBefore(const CallListing& frame, int listed)
{
    const bool heldBack = listed + 1 < frame.count && (frame.calls[listed].change & callSwapped) &&
                          frame.calls[listed].number > frame.calls[listed + 1].number;
    return listed + (heldBack ? 1 : 0);
}

// The unchanged frame, by number: each call's name, and the stack's depth
// after it (depth[0] = 1, before the first).
struct UnchangedFrame {
    int count = 0;
    int name[listedCallRoom + 1];
    int depth[listedCallRoom + 1];
};

void readUnchanged(const CallListing& frame, UnchangedFrame& out)
{
    out.count = frame.count;
    for (int i = 0; i < frame.count; ++i) {
        const int number = frame.calls[i].number;
        if (number >= 1 && number <= frame.count)
            out.name[number] = frame.calls[i].name;
    }
    out.depth[0] = 1;
    for (int n = 1; n <= out.count; ++n) {
        const int before = out.depth[n - 1];
        const bool pushes = out.name[n] == glPushMatrixCall && before < modelViewStackDepth;
        const bool pops = out.name[n] == glPopMatrixCall && before > 1;
        out.depth[n] = before + (pushes ? 1 : pops ? -1 : 0);
    }
}

// Whether call n and every call after it, up to the one after which the
// next joint is reached (`reach`), stay at the depth that joint is reached at.
bool leadsStraightTo(const UnchangedFrame& frame, int n, int reach)
{
    for (int m = n; m <= reach; ++m)
        if (frame.depth[m] != frame.depth[reach])
            return false;
    return true;
}

}  // namespace

void findJointsOfCalls(const CallListing& frame, const int reachedAt[], int jointCount, FrameJoints& out)
{
    static UnchangedFrame unchanged;
    readUnchanged(frame, unchanged);
    int reach[jointRoom];
    for (int j = 0; j < jointCount; ++j)
        reach[j] = callsMadeBefore(frame, reachedAt[j]);
    int open[jointRoom];  // joints reached whose level the stack has not left, innermost last
    int opened = 0;
    int pushOwner[modelViewStackDepth + 1] = {};  // by the depth each push opened
    int next = 0;  // the next joint to be reached
    out.count = unchanged.count;
    for (int n = 1; n <= unchanged.count; ++n) {
        for (; next < jointCount && reach[next] < n; ++next) {
            out.parent[next] = opened > 0 ? open[opened - 1] : -1;
            open[opened++] = next;
        }
        const int name = unchanged.name[n];
        const int depth = unchanged.depth[n];
        int owner = -1;
        if (jointCount > 0 && n > reach[0]) {
            if (name == glPopMatrixCall)
                owner = pushOwner[unchanged.depth[n - 1]];
            else if (next < jointCount && leadsStraightTo(unchanged, n, reach[next]))
                owner = next;
            else if (opened > 0)
                owner = open[opened - 1];
        }
        if (name == glPushMatrixCall)
            pushOwner[depth] = owner;
        while (opened > 0 && unchanged.depth[reach[open[opened - 1]]] > depth)
            --opened;
        out.ofCall[n] = owner;
    }
}

bool jointWithin(const FrameJoints& joints, int joint, int ancestor)
{
    for (; joint >= 0; joint = joints.parent[joint])
        if (joint == ancestor)
            return true;
    return false;
}

void replayFrame(CallListing& frame, const FrameJoints& joints, int selected)
{
    for (int i = 0; i < frame.count; ++i) {
        ListedCall& call = frame.calls[i];
        const ListedCall* before = i > 0 ? &frame.calls[i - 1] : nullptr;
        call.indent = std::min(before ? before->depth : 1, call.depth) - 1;
        call.joint = call.number >= 1 && call.number <= joints.count ? joints.ofCall[call.number] : -1;
        call.lit = selected >= 0 && jointWithin(joints, call.joint, selected);
        // What GL ignored, or never got, leaves the stack as it was.
        const bool made = !(call.change & callSwitchedOff) && call.error == noCallError;
        if (!before)
            call.under = -1;
        else if (made && call.name == glPushMatrixCall)
            call.under = i - 1;
        else if (made && call.name == glPopMatrixCall)
            call.under = before->under >= 0 ? frame.calls[before->under].under : -1;
        else
            call.under = before->under;
    }
}
