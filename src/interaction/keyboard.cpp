#include "keyboard.h"

#include <GL/glut.h>

#include <cstdlib>

#include "hand_model.h"
#include "motions.h"
#include "scene.h"

namespace {

constexpr unsigned char backspaceKey = 8;
constexpr unsigned char escapeKey = 27;

void bendDigit(int digit)
{
    if (hand.bend[digit] < fullBend)
        hand.setBend(digit, hand.bend[digit] + bendStep);
}

void straightenDigit(int digit)
{
    if (hand.bend[digit] > straightBend)
        hand.setBend(digit, hand.bend[digit] - bendStep);
}

// Runs the command bound to `key` and says whether there was one. Every
// binding lies within codes 8..119; letters are bound in lower case only.
bool runCommand(unsigned char key)
{
    switch (key) {
    case escapeKey: std::exit(0);

    case ',': rotY = turnedDown(rotY); break;
    case '.': rotY = turnedUp(rotY); break;
    case '[': rotX = turnedDown(rotX); break;
    case ']': rotX = turnedUp(rotX); break;
    case '0': rotZ = turnedDown(rotZ); break;  // on the Z pair the left-hand key turns up
    case '9': rotZ = turnedUp(rotZ); break;

    // The upper row bends digits 0..4, the row below straightens them.
    case 'q': bendDigit(0); break;
    case 'w': bendDigit(1); break;
    case 'e': bendDigit(2); break;
    case 'r': bendDigit(3); break;
    case 't': bendDigit(thumbIndex); break;
    case 'a': straightenDigit(0); break;
    case 's': straightenDigit(1); break;
    case 'd': straightenDigit(2); break;
    case 'f': straightenDigit(3); break;
    case 'g': straightenDigit(thumbIndex); break;

    // Motions play all their frames before the key's own redisplay.
    case '*': openFingers(hand, true); break;
    case '+': openFingers(hand, false); break;
    case '-': closeFingers(hand, false); break;
    case '/': closeFingers(hand, true); break;
    case '1': gestureWave(hand); break;
    case '2': gestureTurnMiddle(hand); break;
    case '3': gestureThumbLittle(hand); break;
    case '4': gestureBeckon(hand); break;
    case backspaceKey: returnHome(hand); break;

    default: return false;
    }
    return true;
}

}  // namespace

float turnedDown(float angle)
{
    angle -= turnStep;
    return angle < 0.0f ? angle + fullTurn : angle;
}

float turnedUp(float angle)
{
    angle += turnStep;
    return angle > fullTurn ? angle - fullTurn : angle;
}

const char* const boundKeys = "\x1b,.[]09qwertasdfg*+-/1234\b";

void onKey(unsigned char key, int, int)
{
    if (runCommand(key))
        glutPostRedisplay();  // even when the command changed nothing
}
