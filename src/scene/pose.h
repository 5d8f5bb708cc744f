#pragma once

// The hand's pose: the five bends and the three view angles, all a picture
// needs besides the window. A link, a slider, hand-snapshot's options and a
// motion's recorded frames all keep one; setting it draws nothing.

#include "hand_model.h"

struct Pose {
    float bend[digitCount];  // little finger to thumb, 0 straight .. 100 fully bent
    float rotation[3];       // rotX, rotY, rotZ in degrees
};

Pose currentPose();

// Puts the bends into the global hand and the angles into the view.
void setPose(const float bend[digitCount], const float rotation[3]);
