#pragma once

// The hierarchy made visible on the page: every frame's joint frames and
// its calls listed, kept in memory for page.js to read after each key and
// motion; and over the
// picture, the joint frames' axes while the page's switch is on, the
// selected joint's, and where stepping through the calls has reached.

// Starts recording; called once the GL is ready.
void recordHierarchy();

// Draws over the frame just drawn what the page asks for.
void drawHierarchyOverFrame();
