#pragma once

#include "webgl_drawing.h"

// Draws a shape made at unit size, `size` times as large, at the current
// model-view matrix and lit as GL 1.x's state would light it now; dimmed,
// lit at the lesson's dimmed share, as a selection leaves the rest of the hand.
void drawLitSolid(const ShapeBuffer& shape, float size, bool dimmed);

// Draws whatever waits to be drawn: the frame is complete.
void finishDrawing();

// The colour glColor last set, red, green, blue and alpha.
const float* currentColour();
