#pragma once

#include "hand_model.h"

// Draws the hand with GLUT solid boxes and spheres under the current
// model-view matrix, which is left exactly as found. Sets no colour or state.
//
// The hand's frame: +Y from the wrist to the fingertips, the palm's bottom face
// at y = 0, the knuckle line at y = 6 * size, fingers bending towards +Z.

// Draws a segment and every segment after it, starting at the current origin.
void drawSegmentChain(const Segment& segment);

void drawHand(const Hand& hand);

// The places where drawing reaches one of the hand's joint frames.
enum class JointPlace {
    hand,      // drawHand entered
    segment,   // drawSegmentChain entered for `segment`
    fingertip  // where the last sphere of `segment`'s digit is drawn
};

// Called, when set, with the model-view matrix of each joint frame current,
// for tools that show the hierarchy (joint_frames.h); `segment` is null at
// the hand's. Unset, as in the viewer, drawing is exactly as without it.
using JointFrameHook = void (*)(JointPlace place, const Segment* segment);
void setJointFrameHook(JointFrameHook hook);
JointFrameHook jointFrameHook();
