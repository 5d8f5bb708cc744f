#pragma once

// Puts the program's globals back as they are when it starts: the hand open,
// every view angle 0, and a recorder with nothing recorded.

#include "gl_recorder.h"
#include "hand_model.h"
#include "scene.h"

inline void startFresh()
{
    resetGl();
    rotX = rotY = rotZ = 0.0f;
    for (int i = 0; i < digitCount; ++i)
        hand.setBend(i, 0.0f);
}
