#pragma once

#include "webgl_drawing.h"

// Draws a shape made at unit size, `size` times as large, at the current
// model-view matrix and lit as GL 1.x's state would light it now.
void drawLitSolid(const ShapeBuffer& shape, float size);

// Draws whatever waits to be drawn: the frame is complete.
void finishDrawing();

// Beyond GL, for the lesson: while on, shapes outside the highlight
// (matrix_stacks.h) are lit at a third, so the highlighted subtree stands out.
void dimOutsideHighlight(bool on);
