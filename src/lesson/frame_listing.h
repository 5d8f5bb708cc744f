#pragma once

// The drawing as code: a frame's model-view matrix calls and solid shapes,
// in order, with the stack's depth and the matrix after each, as
// `hand-snapshot --calls` and the page's listing show them; and what the
// lesson reads from such a listing. Plain data: no GL here.

#include "matrix4.h"

enum ListedName : int {
    glLoadIdentityCall, glLoadMatrixfCall, glPushMatrixCall, glPopMatrixCall, glTranslatefCall,
    glRotatefCall, glScalefCall, glutSolidSphereCall, glutSolidCubeCall
};
constexpr int listedNameCount = glutSolidCubeCall + 1;

// "glTranslatef", and how many numbers it takes.
const char* listedNameText(ListedName name);
int listedArgCount(ListedName name);

// What was done to a call on its way to GL (call_changes.h): bits.
enum CallChange : int { callSwitchedOff = 1, callSwapped = 2, callNumbersChanged = 4 };

// What GL said of a call: a push past the stack's depth or a pop with
// nothing to pop is ignored, and raises one of these.
enum CallError : int { noCallError, stackOverflowError, stackUnderflowError };

// How deep the model-view stack goes, in every GL this program meets.
constexpr int modelViewStackDepth = 32;

struct ListedCall {
    int name;          // a ListedName
    int depth;         // the model-view stack's depth after the call: 1 with nothing pushed
    int number;        // its place in the frame as the program makes it, from 1
    int change;        // CallChange bits
    int error;         // a CallError
    // What the frame's replay says of it (frame_replay.h).
    int indent;        // its listing's indent: the lesser depth, before or after it, less one
    int joint;         // the joint frame it belongs to, by its number; -1 for the view's
    int under;         // the call whose matrix lies beneath the top after it; -1 for none
    int lit;           // 1 when it belongs to the selected joint or one beyond it
    double args[4];    // as passed, as GL and GLUT take them
    double given[4];   // as the program gave them, before any change
    float matrix[16];  // the model-view matrix after the call, column-major
};

constexpr int listedCallRoom = 512;  // the hand's frame makes about 300

// A frame's calls, from the base transform it starts from (the calls that
// made the model-view matrix at its glClear) to its last.
struct CallListing {
    int count;
    ListedCall calls[listedCallRoom];
};

// The indices of the calls in effect after the first `count`: a pop takes
// back its push and all since; shapes, calls switched off and calls GL
// refused change no matrix. Returns how many
// were written to `out`, which has room for `count`.
int callsInEffect(const CallListing& listing, int count, int out[]);

// The matrix call `call` multiplies the current one by; false for a load, a
// push, a pop or a shape, which multiply by none.
bool matrixOfCall(const ListedCall& call, Matrix4& out);

// Translate, rotate, scale, push or pop: the calls a learner may change.
bool isChangeableCall(int name);
bool isShapeCall(int name);
