#pragma once

// hand-snapshot --select: the selected joint's subtree (the segments it
// carries) drawn as it is and the rest of the hand lit at a third, its
// axes long and thick with their letters and its name, as the page shows
// a selection.

#include "lesson_observer.h"

// From now on, every frame records its joint frames and tells the lesson
// where drawing reaches each, so that each call's joint is known.
void followJointFrames();

// From now on, the joint frame at `frame` is the selection.
void selectJoint(int frame);

// Draws a shape, dimmed when the lesson says it belongs to no joint within
// the selected one.
template <typename DrawShape>
void drawShapeUnderSelection(ShapeDrawing how, DrawShape drawShape);

// Over the frame just drawn: the selected joint's axes, letters and name.
void drawSelectedJoint();

void dimShapes();
void undimShapes();

template <typename DrawShape>
void drawShapeUnderSelection(ShapeDrawing how, DrawShape drawShape)
{
    if (how.dimmed)
        dimShapes();
    drawShape();
    if (how.dimmed)
        undimShapes();
}
