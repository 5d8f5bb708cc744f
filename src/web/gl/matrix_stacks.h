#pragma once

// The page's GL matrix stacks: the matrices the drawing multiplies by. Each
// model-view call is also told to the lesson (lesson_observer.h), which
// lists the frame as code.

#include "matrix4.h"

const Matrix4& modelViewMatrix();
const Matrix4& projectionMatrix();

// GL's GL_MODELVIEW_STACK_DEPTH: 1 with nothing pushed.
int modelViewDepth();
