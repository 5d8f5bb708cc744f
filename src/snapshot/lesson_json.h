#pragma once

// What hand-snapshot writes for --joints and --calls, as JSON.

#include <string>

#include "frame_listing.h"
#include "joint_frames.h"

// {"joints": [{"name": "hand", "label": "the hand", "matrix": [16 numbers]}, ...]}
std::string jointFramesJson(const JointFrames& frames);

// {"calls": [{"name": "glTranslatef", "args": [...], "depth": 1, "joint": "d3.s0", "matrix": [16 numbers]}, ...]}:
// `depth` is GL's model-view stack depth after the call, `joint` the joint
// frame it belongs to (null for the view's), `matrix` the model-view matrix
// after it, column-major.
std::string frameCallsJson(const CallListing& listing, const JointFrames& frames);
