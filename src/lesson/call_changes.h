#pragma once

// Breaking the drawing to learn it: a frame's model-view calls switched
// off, two neighbours swapped, a call's numbers changed. Calls are named by
// their number in the unchanged frame (ListedCall::number), which no change
// shifts. The GL layers pass every model-view call through runMatrixCall,
// so the viewer's own code runs as it is, and only what reaches GL differs.

#include "frame_listing.h"
#include "sentence.h"

struct CallChanges {
    bool off[listedCallRoom + 1] = {};       // by number, from 1
    int swap = 0;                            // k: calls k and k + 1 trade places; 0 for none
    int edited[listedCallRoom + 1] = {};     // how many numbers a call was given instead; 0 for none
    double args[listedCallRoom + 1][4] = {}; // those numbers, as calls list them
};

// Why `changes` cannot be made to the frame `unchanged`, in a sentence;
// empty when they can.
Sentence refusalOfChanges(const CallListing& unchanged, const CallChanges& changes);

// From the next frame on. The first frame after any setting, and every
// frame while a change stands, starts clean (startFrameClean).
void setCallChanges(const CallChanges& changes);
const CallChanges& callChanges();
bool anyCallChanged();

// Makes one model-view call on the GL layer's own stack and tells the
// lesson (observeMatrixCall); `args` holds listedArgCount(name) numbers.
using MatrixCallRunner = void (*)(ListedName name, const double args[]);

// The GL layers' way in for a model-view call the program makes.
void runMatrixCall(ListedName name, const double args[], MatrixCallRunner run);

// At a frame's start, under a change: the stack back to what the reshape
// left, depth 1 and the base transform, so no frame inherits another's
// mistakes. `depth` is the stack's depth now.
void startFrameClean(int depth, MatrixCallRunner run);

// `unchanged` played again with `changes` made, as GL would play it: a
// push past the stack's depth or a pop with nothing to pop is ignored and
// listed with its error.
void replayWithChanges(const CallListing& unchanged, const CallChanges& changes, CallListing& out);

// How many shapes two listings of the same frame draw under matrices more
// than 1e-4 apart, or draw in one and not the other; `firstMoved` gets the
// index in `a` of the first such shape, or -1.
int movedShapes(const CallListing& a, const CallListing& b, int& firstMoved);

// A frame drawn under changes, as the program meant it.
void unchangedFrame(const CallListing& drawn, CallListing& out);

// What a frame like `drawn` would do, one after another, if nothing put
// the stack back before each: a sentence.
Sentence withoutCleanStart(const CallListing& drawn);
