#include "scene.h"

#include <GL/glut.h>

#include "hand_drawing.h"

float rotX = 0.0f;
float rotY = 0.0f;
float rotZ = 0.0f;

void (*frameDrawn)() = nullptr;

const float handColour[3] = {1.0f, 0.8f, 0.0f};

namespace {

const GLfloat whiteSpecular[] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat lightAmbient[] = {0.2f, 0.2f, 0.4f, 1.0f};
// A point light above and in front of the viewer. It is placed under the base
// view transform only, so it stays put while the hand turns.
const GLfloat lightPosition[] = {0.0f, 500.0f, 100.0f, 1.0f};
const GLfloat shininess = 50.0f;

constexpr double fieldOfViewDegrees = 55.0;
constexpr double nearPlane = 1.0;
constexpr double farPlane = 40.0;
constexpr float cameraDistance = 10.0f;
// Where the hand's origin (the wrist) sits relative to the base transform.
const GLfloat handOffset[] = {0.0f, -5.0f, -15.0f};

void setUpLight()
{
    glEnable(GL_LIGHTING);
    glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
    glLightfv(GL_LIGHT0, GL_SPECULAR, whiteSpecular);
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glEnable(GL_LIGHT0);
    // The current colour drives ambient and diffuse of both faces.
    glEnable(GL_COLOR_MATERIAL);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, whiteSpecular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
}

void turnByViewAngles()
{
    glTranslatef(handOffset[0], handOffset[1], handOffset[2]);
    glRotatef(rotZ, 0.0f, 0.0f, 1.0f);
    glRotatef(rotY, 0.0f, 1.0f, 0.0f);
    glRotatef(rotX, 1.0f, 0.0f, 0.0f);
}

}  // namespace

void initGLState()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
}

void drawHandInView()
{
    glPushMatrix();
    turnByViewAngles();
    glColor3fv(handColour);
    drawHand(hand);
    glPopMatrix();
}

void displayScene()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    setUpLight();
    drawHandInView();

    if (frameDrawn)
        frameDrawn();
    glutSwapBuffers();
}

void reshapeView(int width, int height)
{
    glViewport(0, 0, width, height);

    // A window folded flat still needs a finite aspect ratio.
    const int aspectHeight = height > 0 ? height : 1;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfViewDegrees, static_cast<double>(width) / aspectHeight, nearPlane,
                   farPlane);

    // The base transform stays for the whole run: frames push and pop above it.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -cameraDistance);
}

void idleNoop()
{
}
