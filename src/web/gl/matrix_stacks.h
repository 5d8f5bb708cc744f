#pragma once

// The page's GL matrix stacks: the matrices the drawing multiplies by, and,
// beyond what GL keeps, the transform calls that made the current model-view
// matrix, so a chain of the hierarchy can be listed as the program made it.

#include "matrix4.h"

const Matrix4& modelViewMatrix();
const Matrix4& projectionMatrix();

// page.js names them in this order. `load` stands for glLoadIdentity or
// glLoadMatrixf under a push: what came before it is undone until the pop.
enum TransformKind : int { translate, rotate, scale, push, load };

struct TransformCall {
    int kind;       // a TransformKind
    int depth;      // pushes in effect when it was made
    float args[4];  // as passed: x, y, z, or degrees, x, y, z
};

constexpr int transformRoom = 64;  // a fingertip of the hand needs about 30

struct TransformChain {
    int count;
    TransformCall calls[transformRoom];
};

// The calls since the model-view matrix was last loaded with nothing pushed,
// less those that a pop has undone: a push stays while its matrix is in effect.
const TransformChain& transformsInEffect();
