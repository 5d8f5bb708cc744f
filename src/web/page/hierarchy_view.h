#pragma once

// The hierarchy made visible on the page: every frame's joint frames and
// the chain of calls to each fingertip, kept in memory for page.js to read
// after each key and motion, and the joint frames' axes drawn over the
// picture while the page's switch is on.

// Starts recording; called once the GL is ready.
void recordHierarchy();

// Draws the axes over the frame just drawn, if the page asks for them.
void drawHierarchyOverFrame();
