// The pose shared by link and set by the page's sliders: what the page hands
// the viewer between keys, never during a motion; and the turn keys a preset
// view presses.

#include <GL/glut.h>
#include <emscripten.h>

#include "page_state.h"
#include "pose.h"
#include "turn_keys.h"

extern "C" {

// Where the page writes a link's hash, ended by a zero, for webReadHash:
// room for the longest it reads.
EMSCRIPTEN_KEEPALIVE char* webHashRoom()
{
    static char hash[pageHashRoom + 1];
    return hash;
}

// Reads the link's hash written to webHashRoom: the pose goes to the viewer
// at once; the page takes the rest, and the note, from what is returned.
EMSCRIPTEN_KEEPALIVE const PageStateReading* webReadHash(int axes, int digit, int step, int joint)
{
    static PageStateReading reading;
    const Pose pose = currentPose();
    const float* b = pose.bend;
    const float* r = pose.rotation;
    const PageState current{{b[0], b[1], b[2], b[3], b[4]}, {r[0], r[1], r[2]}, axes, digit, step, joint, {0, 0}};
    reading = readPageHash(webHashRoom(), current);
    setPose(reading.state.bend, reading.state.rotation);
    glutPostRedisplay();
    return &reading;
}

// A slider moved: the five bends and three turns, in whole steps.
EMSCRIPTEN_KEEPALIVE void webSetPose(float b0, float b1, float b2, float b3, float b4, float x, float y, float z)
{
    const float bend[digitCount] = {b0, b1, b2, b3, b4};
    const float rotation[3] = {x, y, z};
    setPose(bend, rotation);
    glutPostRedisplay();
}

// The fewest turn keys from `angle` to exactly `target`: their count, then
// 1 for each up key and 0 for each down key; a count of -1 if none reach it.
EMSCRIPTEN_KEEPALIVE const int* webTurnKeys(float angle, float target)
{
    static int keys[1 + mostTurnKeys];
    bool up[mostTurnKeys];
    keys[0] = turnKeysToAngle(angle, target, up);
    for (int k = 0; k < keys[0]; ++k)
        keys[1 + k] = up[k] ? 1 : 0;
    return keys;
}

}  // extern "C"
