#pragma once

// The drawing as code: every model-view matrix call and solid shape of a
// frame, in order, with the stack's depth and the matrix after each. The
// list opens with the calls that made the matrix the frame starts from (the
// base transform), then holds the frame's own. hand-snapshot is linked with
// the GL and GLUT calls wrapped (ld --wrap), so the viewer's code is listed
// as it runs, unchanged.

#include <string>

// The frame begun by the last glClear ends here; calls after it (the joint
// frames' axes) are not in its list.
void finishListingFrame();

// {"calls": [{"name": "glTranslatef", "args": [...], "depth": 1, "matrix": [16 numbers]}, ...]}
// for the last frame finished: `depth` is GL's model-view stack depth after
// the call, `matrix` the model-view matrix after it, column-major.
std::string lastFrameCallsJson();
