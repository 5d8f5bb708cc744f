#include "hand_drawing.h"

#include <GL/glut.h>

namespace {

JointFrameHook jointFrameReached = nullptr;

constexpr int sphereSlices = 8;
constexpr int sphereStacks = 8;
// A joint sphere is a little narrower than its bone, so the box edges show.
constexpr double jointSphereShare = 0.85;

// Placement of the digits on the palm, in multiples of the hand's size.
constexpr float knuckleLineHeight = 6.0f;
constexpr float knuckleOffsets[fingerCount] = {-3.0f, -1.5f, 0.0f, 1.5f};
constexpr float thumbBaseX = 2.0f;
constexpr float thumbBaseBelowKnuckles = -4.0f;
constexpr float thumbSpread = -80.0f;    // about Z, out to the side
constexpr float thumbTwist = -20.0f;     // about Y, towards the palm
constexpr float thumbWidening = 1.5f;    // along the thumb's own X

// The palm box: centre and extent, in multiples of the hand's size.
constexpr float palmCentreX = -0.75f;
constexpr float palmCentreY = 3.0f;
constexpr float palmWidth = 5.5f;
constexpr float palmHeight = 6.0f;
constexpr float palmThickness = 1.25f;

void drawSphere(double radius)
{
    glutSolidSphere(radius, sphereSlices, sphereStacks);
}

void bendAboutX(double degrees)
{
    glRotatef(static_cast<float>(degrees), 1.0f, 0.0f, 0.0f);
}

void drawFinger(const Hand& hand, int index)
{
    const float s = hand.size;
    glPushMatrix();
    if (knuckleOffsets[index] != 0.0f)  // the middle finger stands on the origin
        glTranslatef(knuckleOffsets[index] * s, 0.0f, 0.0f);
    drawSphere(s);
    bendAboutX(jointDegreesPerBend * hand.bend[index]);
    drawSegmentChain(hand.fingers[index].proximal);
    glPopMatrix();
}

void drawThumb(const Hand& hand)
{
    const float s = hand.size;
    glPushMatrix();
    glTranslatef(thumbBaseX * s, thumbBaseBelowKnuckles * s, 0.0f);
    glRotatef(thumbSpread, 0.0f, 0.0f, 1.0f);
    glRotatef(thumbTwist, 0.0f, 1.0f, 0.0f);
    bendAboutX(thumbBaseDegreesPerBend * hand.bend[thumbIndex]);
    glScalef(thumbWidening, 1.0f, 1.0f);
    drawSphere(s);
    drawSegmentChain(hand.thumb.proximal);
    glPopMatrix();
}

void drawPalm(const Hand& hand)
{
    const float s = hand.size;
    glPushMatrix();
    glTranslatef(palmCentreX * s, palmCentreY * s, 0.0f);
    glScalef(palmWidth * s, palmHeight * s, palmThickness * s);
    glutSolidCube(1.0);
    glPopMatrix();
}

}  // namespace

JointFrameHook jointFrameHook()
{
    return jointFrameReached;
}

void setJointFrameHook(JointFrameHook hook)
{
    jointFrameReached = hook;
}

void drawSegmentChain(const Segment& g)
{
    if (jointFrameReached)
        jointFrameReached(JointPlace::segment, &g);
    const float halfLength = 0.5f * g.length;
    glPushMatrix();
    glTranslatef(0.0f, halfLength, 0.0f);

    // The cube's edge is the width, not 1, on top of the scale: at size 1
    // the two agree, and the hand is only ever built at size 1.
    glPushMatrix();
    glScalef(g.width, g.length, g.width);
    glutSolidCube(g.width);
    glPopMatrix();

    glTranslatef(0.0f, halfLength, 0.0f);
    if (jointFrameReached && !g.next)
        jointFrameReached(JointPlace::fingertip, &g);
    drawSphere(jointSphereShare * g.width);  // joint, or the rounded fingertip

    if (g.next) {
        bendAboutX(g.angle);
        drawSegmentChain(*g.next);
    }
    glPopMatrix();
}

void drawHand(const Hand& hand)
{
    if (jointFrameReached)
        jointFrameReached(JointPlace::hand, nullptr);
    glPushMatrix();
    glTranslatef(0.0f, knuckleLineHeight * hand.size, 0.0f);
    for (int i = 0; i < fingerCount; ++i)
        drawFinger(hand, i);
    drawThumb(hand);
    glPopMatrix();

    drawPalm(hand);
}
