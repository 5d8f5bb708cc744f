#pragma once

// hand-snapshot --select: the selected joint's subtree (the segments it
// carries) drawn as it is and the rest of the hand lit at a third, its
// axes long and thick with their letters and its name, as the page shows
// a selection.

// From now on, the joint frame at `frame` is the selection.
void selectJoint(int frame);

// Called by the wrapped GL entry points (call_listing.cpp) as a frame is
// drawn.
void noteFrameBegun();
void noteMatrixPopped();

// Draws a shape, dimmed when it lies outside the selected joint's subtree.
template <typename DrawShape>
void drawShapeUnderSelection(DrawShape drawShape);

// Over the frame just drawn: the selected joint's axes, letters and name.
void drawSelectedJoint();

bool insideSelection();
void dimShapes();
void undimShapes();

template <typename DrawShape>
void drawShapeUnderSelection(DrawShape drawShape)
{
    const bool dimmed = !insideSelection();
    if (dimmed)
        dimShapes();
    drawShape();
    if (dimmed)
        undimShapes();
}
