#pragma once

// The page's GL matrix stacks: the matrices the drawing multiplies by. Each
// model-view call is also told to the lesson (lesson_observer.h), which
// lists the frame as code.

#include "matrix4.h"

const Matrix4& modelViewMatrix();
const Matrix4& projectionMatrix();

// GL's GL_MODELVIEW_STACK_DEPTH: 1 with nothing pushed.
int modelViewDepth();

// Before a frame's drawing: under a change to its calls, the model-view
// stack goes back to what the reshape left.
void startModelViewFrame();

// Drawing of the page's own, outside the program's frames (an exercise's
// target hand): its calls reach no listing, and its shapes are drawn faint
// behind the hand, or not at all.
enum class PageDrawing { programs, faintBehind, unseen };
void setPageDrawing(PageDrawing drawing);
PageDrawing pageDrawing();
