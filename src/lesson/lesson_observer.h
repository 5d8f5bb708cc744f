#pragma once

// What a GL layer tells the lesson as the viewer's code runs, and what the
// lesson tells it back: the page's own GL and hand-snapshot's wrapped GL
// call these from their entry points, with the model-view stack's depth and
// matrix as each call left them. From that the lesson lists every frame as
// code, follows the selected joint's subtree and, when stepping, says which
// shapes are drawn.

#include "frame_replay.h"

// How much of the rest of the hand a selection leaves lit.
constexpr float dimmedShare = 0.3f;

// A frame begins (GL's glClear): its listing opens with the calls in effect.
void observeFrameBegun();

// A model-view load, push, pop, translate, rotate or scale, made on the
// model-view matrix; `args` holds listedArgCount(name) numbers, and `error`
// what GL raised for it.
void observeMatrixCall(ListedName name, const double args[], int depth, const float matrix[16],
                       CallError error = noCallError);

// What the next call observed in a frame is: its number, how it was
// changed, and the numbers the program gave it. Unlabelled calls are
// numbered in the order they come, unchanged.
void labelNextCall(ListedName name, int number, int change, const double given[]);

// A call the program made but GL never got: listed, with nothing changed.
void observeSwitchedOffCall(ListedName name, const double args[], int number, int change);

// Whether a frame is being drawn, and how many of its calls are listed so far.
bool observingFrame();
int callsListedSoFar();

// The base transform: what the reshape left on the model-view stack,
// the calls made with nothing pushed outside any frame since the last load.
const CallListing& baseTransformCalls();

struct ShapeDrawing {
    bool drawn;   // stepping has reached it
    bool dimmed;  // a joint is selected and the shape belongs to none within it
};

// A sphere or a cube, about to be drawn under the current matrix.
ShapeDrawing observeShape(ListedName name, const double args[], int depth, const float matrix[16]);

// Drawing reaches joint frame `joint`: joints are reached in index order.
void observeJointReached(int joint);

// The frame is complete: what is drawn over it is in no listing. Its calls
// are replayed (frame_replay.h) when first read.
void observeFrameFinished();

// A selection drawn before any frame was finished could not know which
// shapes to dim: the next frame will.
bool selectionWantsAnotherFrame();

// The lesson's settings, read at every frame from the next on: the selected
// joint (-1 for none), and the calls drawn when stepping (-1 for all).
void selectJointSubtree(int joint);
void drawOnlyFirstCalls(int count);

// What the last finished frame gave, replayed.
const CallListing& lastFrameCalls();
// How many of its calls came before each joint frame was reached.
const int* lastJointReachedAt();
