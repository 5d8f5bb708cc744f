#pragma once

// The hierarchy made visible on the page: the lesson's listing of every
// frame and its answers about it, kept in memory for the page to read; and
// over the picture, the joint frames' axes while the page's switch is on,
// the selected joint's, and where stepping through the calls has reached.

// Starts recording; called once the GL is ready.
void recordHierarchy();

// Draws over the frame just drawn what the page asks for.
void drawHierarchyOverFrame();
