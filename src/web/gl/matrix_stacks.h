#pragma once

// The page's GL matrix stacks: the matrices the drawing multiplies by, and,
// beyond what GL keeps, each frame's matrix calls and shapes listed as the
// program made them, so the hierarchy can be shown as code.

#include "matrix4.h"

const Matrix4& modelViewMatrix();
const Matrix4& projectionMatrix();

// The drawing as code: a frame's model-view matrix calls and solid shapes,
// in order, as hand-snapshot --calls lists them. page.js names them in this
// order.
enum ListedName : int {
    glLoadIdentityCall, glLoadMatrixfCall, glPushMatrixCall, glPopMatrixCall, glTranslatefCall,
    glRotatefCall, glScalefCall, glutSolidSphereCall, glutSolidCubeCall
};

struct ListedCall {
    int name;          // a ListedName
    int depth;         // the model-view stack's depth after the call: 1 with nothing pushed
    float args[4];     // as passed
    float matrix[16];  // the model-view matrix after the call
};

constexpr int listedCallRoom = 512;  // the hand's frame makes about 300

struct CallListing {
    int count;
    ListedCall calls[listedCallRoom];
};

// A frame's listing opens at its glClear with the base transform (the calls
// that made the model-view matrix then, a pop taking back what its push
// began) and closes here, before anything drawn over the frame.
void finishListingFrame();
const CallListing& lastFrameCalls();

// How many calls the frame being drawn has listed so far.
int callsListedSoFar();

// Called by the solid shapes, which GLUT draws under the current matrix:
// false when stepping has not reached this one, which is then not drawn.
bool listShape(ListedName name, float a, float b = 0, float c = 0);

// Stepping through the drawing: from the next frame on, a shape is drawn
// only if it is among the first `count` calls listed; -1 draws them all.
void drawOnlyFirstCalls(int count);

// Called by glClear: a frame begins.
void beginListingFrame();

// Beyond GL, for the lesson's highlight of one joint: the shapes drawn from
// here until the model-view stack is popped below its depth now are that
// joint's subtree, the segments it carries.
void beginHighlight();
bool insideHighlight();
