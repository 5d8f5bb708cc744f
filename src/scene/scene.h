#pragma once

// The picture: fixed GL state, projection, one light and the hand turned by
// three view angles. Knows nothing of keys.

// View rotation of the whole hand, in degrees. Keys wrap them into 0..360;
// motions add to them freely, so any value may occur.
extern float rotX;
extern float rotY;
extern float rotZ;

constexpr float fullTurn = 360.0f;

// The hand's golden yellow: red, green, blue.
extern const float handColour[3];

void initGLState();

// Draws one complete frame of the global hand and shows it at once. Called by
// GLUT on a redisplay, and directly by motions for each of their frames.
void displayScene();

// The hand turned by the view angles, over the base transform: what each
// frame draws after its clear and its light.
void drawHandInView();

// Called after each frame is drawn and before it is shown, while its pixels
// are in the back buffer; none in the viewer. The snapshot tool reads them.
extern void (*frameDrawn)();

void reshapeView(int width, int height);

void idleNoop();
