#pragma once

// Lines and points, which WebGL draws only a pixel wide, drawn as GL 1.x
// draws them at any width: wide ones wait to be drawn together, and must be
// drawn before anything else is, or any state they are drawn with changes.
void drawWaitingLinesAndPoints();

// glViewport's size: a wide line's width is in the window's pixels.
void setLinesViewport(int width, int height);
