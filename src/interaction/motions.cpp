#include "motions.h"

#include <initializer_list>

#include "scene.h"

namespace {

constexpr int raiseStep = 20;    // the middle finger, little finger and thumb rise faster
constexpr int beckonStep = 10;
constexpr int beckonReach = 30;  // how far the fingers curl when beckoning

constexpr float rockStep = 5.0f;      // degrees a frame when waving or rocking
constexpr int rockSwing = 6;          // frames from one side to the other
constexpr int rockSwings = 3;
constexpr int halfTurnFrames = 9;     // 9 frames of 20 degrees: half a turn
constexpr float halfTurnStep = 20.0f;
constexpr float tiltStep = 3.0f;      // about Z while the thumb and little finger open
constexpr int untiltFrames = 6;
constexpr float unwindStep = 10.0f;

constexpr int thumb = thumbIndex;
constexpr int littleFinger = 0;
constexpr int ringFinger = 1;
constexpr int middleFinger = 2;

// A bend as a whole number, its fraction dropped.
int truncated(float bend)
{
    return static_cast<int>(bend);
}

void setFingers(Hand& hand, int value)
{
    for (int i = 0; i < fingerCount; ++i)
        hand.setBend(i, static_cast<float>(value));
}

// `frames` frames, each after turning `angle` by `step`.
void turnFrames(float& angle, int frames, float step)
{
    for (int i = 0; i < frames; ++i) {
        angle += step;
        displayScene();
    }
}

// Out to one side, three swings across and back, and home: net change 0.
void rock(float& angle)
{
    turnFrames(angle, rockSwing / 2, rockStep);
    for (int swing = 0; swing < rockSwings; ++swing) {
        turnFrames(angle, rockSwing, -rockStep);
        turnFrames(angle, rockSwing, rockStep);
    }
    turnFrames(angle, rockSwing / 2, -rockStep);
}

// Turns the angle down to 0, 10 degrees a frame. The last frame may show it
// just below 0; only then is it set to exactly 0.
void unwind(float& angle)
{
    while (angle > 0.0f) {
        angle -= unwindStep;
        displayScene();
    }
    angle = 0.0f;
}

// One curl of the four fingers to 30 and back.
void beckonOnce(Hand& hand)
{
    for (int n = truncated(hand.bend[ringFinger]); n <= beckonReach; n += beckonStep) {
        setFingers(hand, n);
        displayScene();
    }
    for (int n = beckonReach; n >= straightBend; n -= beckonStep) {
        setFingers(hand, n);
        displayScene();
    }
}

}  // namespace

// The sweeps move one bend step a frame.
void openFingers(Hand& hand, bool allAtOnce)
{
    if (allAtOnce) {
        // Every digit starts from the ring finger's value.
        for (int n = truncated(hand.bend[ringFinger]); n >= straightBend; n -= bendStep) {
            for (int i = thumb; i >= 0; --i)
                hand.setBend(i, static_cast<float>(n));
            displayScene();
        }
        return;
    }
    for (int i = thumb; i >= 0; --i)  // thumb first, little finger last
        for (int n = truncated(hand.bend[i]); n >= straightBend; n -= bendStep) {
            hand.setBend(i, static_cast<float>(n));
            displayScene();
        }
}

void closeFingers(Hand& hand, bool allAtOnce)
{
    if (allAtOnce) {
        // Every digit starts from the ring finger's value.
        for (int n = truncated(hand.bend[ringFinger]); n <= fullBend; n += bendStep) {
            for (int i = 0; i <= thumb; ++i)
                hand.setBend(i, static_cast<float>(n));
            displayScene();
        }
        return;
    }
    for (int i = 0; i <= thumb; ++i)  // little finger first, thumb last
        for (int n = truncated(hand.bend[i]); n <= fullBend; n += bendStep) {
            hand.setBend(i, static_cast<float>(n));
            displayScene();
        }
}

void gestureWave(Hand& hand)
{
    openFingers(hand, true);
    rock(rotZ);
}

void gestureTurnMiddle(Hand& hand)
{
    turnFrames(rotY, halfTurnFrames, halfTurnStep);
    closeFingers(hand, true);
    for (int n = truncated(hand.bend[middleFinger]); n >= straightBend; n -= raiseStep) {
        hand.setBend(middleFinger, static_cast<float>(n));
        displayScene();
    }
}

void gestureThumbLittle(Hand& hand)
{
    closeFingers(hand, true);
    for (int n = truncated(hand.bend[middleFinger]); n >= straightBend; n -= raiseStep) {
        hand.setBend(littleFinger, static_cast<float>(n));
        hand.setBend(thumb, static_cast<float>(n));
        rotZ += tiltStep;
        displayScene();
    }
    rock(rotY);
    // From a fist the opening above ran 6 frames, so this takes its tilt back.
    turnFrames(rotZ, untiltFrames, -tiltStep);
}

void gestureBeckon(Hand& hand)
{
    openFingers(hand, true);
    // Half a turn about Y and a quarter back about X: palm up, fingers at the viewer.
    for (int i = 0; i < halfTurnFrames; ++i) {
        rotY += halfTurnStep;
        rotX -= halfTurnStep / 2;
        displayScene();
    }
    beckonOnce(hand);
    beckonOnce(hand);
}

void returnHome(Hand& hand)
{
    openFingers(hand, true);
    // One full turn up at most: an angle still below 0 is not unwound at all.
    for (float* angle : {&rotY, &rotX, &rotZ})
        if (*angle < 0.0f)
            *angle += fullTurn;
    unwind(rotY);
    unwind(rotX);
    unwind(rotZ);
    displayScene();
}
