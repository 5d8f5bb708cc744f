#pragma once

#include "hand_model.h"

// Scripted motions. Each runs to its end inside the key callback that started
// it, drawing every frame itself with displayScene: no timer and no pause, so
// a motion plays as fast as frames are drawn and swapped, and keys pressed
// meanwhile wait their turn. Each moves `hand` and the view angles.

// Straighten (open) or bend (close) the digits 5 bend units a frame, either
// all together from the ring finger's value or one digit after another.
void openFingers(Hand& hand, bool allAtOnce);
void closeFingers(Hand& hand, bool allAtOnce);

// The open hand rocks about Z and comes back.
void gestureWave(Hand& hand);
// Half a turn to show the back, a fist, then the middle finger rises.
void gestureTurnMiddle(Hand& hand);
// A fist; little finger and thumb open while the hand tilts; it rocks about Y.
void gestureThumbLittle(Hand& hand);
// The palm turns up towards the viewer and the fingers beckon twice.
void gestureBeckon(Hand& hand);
// Opens the hand and unwinds every view angle to 0, 10 degrees a frame.
void returnHome(Hand& hand);
