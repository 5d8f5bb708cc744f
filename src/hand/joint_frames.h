#pragma once

// The hand's joint frames, read off the one drawing path as it reaches them,
// and their axes drawn over the picture: the hierarchy made visible.

#include <string_view>

#include "hand_drawing.h"

// "hand"; "dI.sJ" for segment J of digit I (fingers 0-3 have J = 0, 1, 2,
// the thumb, 4, J = 0, 1); "dI.tip" where digit I's last sphere is drawn.
constexpr int jointFrameCount = 20;

struct JointFrame {
    const char* name;   // as above
    const char* label;  // the same for people: "index finger, middle joint"
    float matrix[16];   // column-major, as glGetFloatv(GL_MODELVIEW_MATRIX) gives it
};

// In the order above, which is the order drawing reaches them.
using JointFrames = JointFrame[jointFrameCount];

// From now on, each drawHand(hand) records its joint frames and, when
// `recorded` is given, calls it with each frame's index in JointFrames just
// after taking that frame, while its matrix is still current.
void startRecordingJointFrames(const Hand& hand, void (*recorded)(int frame) = nullptr);

// The frames of the last hand drawn.
const JointFrames& lastJointFrames();

// The index in JointFrames of the frame with this name ("d3.s1"), or -1.
int jointFrameIndex(std::string_view name);

// Each frame's axes as lines 3 pixels wide from a white dot at its origin:
// X red, Y green, Z blue, of a length fixed in the frame's own units, so a
// scaled frame shows its scale. They are drawn over the hand, unlit and
// with no depth test; the scene's lighting and depth test are on again
// afterwards.
void drawJointAxes(const JointFrames& frames);

// One frame's axes as drawJointAxes draws them, `length` units long and
// `width` pixels wide.
void drawFrameAxes(const float matrix[16], float length, float width);

// A selected joint's axes: long and thick, to stand out among the rest.
void drawSelectedJointAxes(const JointFrames& frames, int selected);

// Where the selected joint's axis letters go, in its frame's units.
constexpr float selectedLetterDistance = 2.7f;
