#pragma once

// One account of the frame GL ran, which every view of the lesson reads:
// the listing's indents and labels, the stack's cards, the step's words and
// what a selection lights. The frame's calls are replayed once at its end,
// as GL ran them, changes and ignored calls included; a call's joint comes
// from the unchanged frame, so that no change moves a call to another joint.

#include "frame_listing.h"

// Joint frames the lesson follows at most; the hand has 20.
constexpr int jointRoom = 32;

// Which joint frame each call belongs to, by its number in the unchanged
// frame, and each joint's parent: the joint drawing was in when it reached it.
//  - Calls before the first joint are the view's (-1).
//  - A pop belongs where its push does.
//  - Calls that lead, at one depth, straight to the next joint reached
//    belong to it: a digit's push, its knuckle's place, sphere and bend; a
//    joint's place, sphere and bend at the end of the segment before it.
//  - Any other call belongs to the innermost joint whose level it is on.
struct FrameJoints {
    int count = 0;                      // calls numbered: 0 before any frame
    int ofCall[listedCallRoom + 1] = {};  // by number, from 1
    int parent[jointRoom] = {};
};

// `reachedAt[j]` is how many of the frame's calls were listed before joint
// j was reached, for the first `jointCount` joints, reached in order.
void findJointsOfCalls(const CallListing& frame, const int reachedAt[], int jointCount, FrameJoints& out);

// Whether `joint` is `ancestor` or lies beyond it.
bool jointWithin(const FrameJoints& joints, int joint, int ancestor);

// Fills in each call's indent, joint, lit and under (frame_listing.h): the
// stack after call i holds call i's matrix on top, then call under[i]'s,
// then that call's under, down to the base.
void replayFrame(CallListing& frame, const FrameJoints& joints, int selected);
