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
