#include "joint_frames.h"

#include <GL/gl.h>

namespace {

// Short enough that neighbouring knuckles' axes (1.5 apart) keep apart, and
// thick enough to read at 300 x 300; a white dot marks each origin.
constexpr float axisLength = 1.2f;
constexpr float axisWidth = 3.0f;      // pixels
constexpr float originDotSize = 5.0f;  // pixels

// Where each digit's frames start in JointFrames: the hand's comes first,
// then four for each finger (three segments and the tip), then the thumb's.
constexpr int framesBeforeDigit[digitCount] = {1, 5, 9, 13, 17};

const char* const frameNames[jointFrameCount] = {
    "hand",  "d0.s0", "d0.s1", "d0.s2", "d0.tip", "d1.s0", "d1.s1", "d1.s2", "d1.tip", "d2.s0",
    "d2.s1", "d2.s2", "d2.tip", "d3.s0", "d3.s1", "d3.s2", "d3.tip", "d4.s0", "d4.s1", "d4.tip"};

// A segment's frame is where it begins: at the knuckle, the middle joint or
// the end joint of a finger; at the base or the joint of the thumb.
const char* const frameLabels[jointFrameCount] = {
    "the hand",
    "little finger, knuckle", "little finger, middle joint", "little finger, end joint", "little finger, tip",
    "ring finger, knuckle", "ring finger, middle joint", "ring finger, end joint", "ring finger, tip",
    "middle finger, knuckle", "middle finger, middle joint", "middle finger, end joint", "middle finger, tip",
    "index finger, knuckle", "index finger, middle joint", "index finger, end joint", "index finger, tip",
    "thumb, base", "thumb, joint", "thumb, tip"};

const Hand* recordedHand = nullptr;
void (*frameRecorded)(int frame) = nullptr;
JointFrames frames = {};

const Segment* firstSegment(const Hand& hand, int digit)
{
    return digit == thumbIndex ? &hand.thumb.proximal : &hand.fingers[digit].proximal;
}

// The frame index of `segment`, found by walking each digit's chain.
int frameOf(const Segment* segment, bool fingertip)
{
    for (int digit = 0; digit < digitCount; ++digit) {
        int j = 0;
        for (const Segment* s = firstSegment(*recordedHand, digit); s; s = s->next, ++j)
            if (s == segment)
                return framesBeforeDigit[digit] + (fingertip ? j + 1 : j);
    }
    return -1;
}

// Takes the current model-view matrix as the frame at this place.
void recordJointFrame(JointPlace place, const Segment* segment)
{
    const int index = place == JointPlace::hand ? 0 : frameOf(segment, place == JointPlace::fingertip);
    if (index < 0)
        return;
    glGetFloatv(GL_MODELVIEW_MATRIX, frames[index].matrix);
    if (frameRecorded)
        frameRecorded(index);
}

void drawAxis(const float colour[3], float x, float y, float z)
{
    glColor3f(colour[0], colour[1], colour[2]);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(x, y, z);
}

// Axes are unlit and drawn over the hand; the scene's lighting and depth
// test are on again afterwards.
void startDrawingAxes(float width)
{
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glLineWidth(width);
    glPointSize(originDotSize);
    glPushMatrix();
}

void drawAxesAt(const float matrix[16], float length)
{
    static const float red[3] = {1, 0, 0}, green[3] = {0, 1, 0}, blue[3] = {0, 0, 1};
    glLoadMatrixf(matrix);
    glBegin(GL_POINTS);
    glColor3f(1.0f, 1.0f, 1.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glEnd();
    glBegin(GL_LINES);
    drawAxis(red, length, 0, 0);
    drawAxis(green, 0, length, 0);
    drawAxis(blue, 0, 0, length);
    glEnd();
}

void stopDrawingAxes()
{
    glPopMatrix();
    glLineWidth(1.0f);
    glPointSize(1.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
}

}  // namespace

void startRecordingJointFrames(const Hand& hand, void (*recorded)(int frame))
{
    recordedHand = &hand;
    frameRecorded = recorded;
    for (int i = 0; i < jointFrameCount; ++i) {
        frames[i].name = frameNames[i];
        frames[i].label = frameLabels[i];
    }
    setJointFrameHook(recordJointFrame);
}

const JointFrames& lastJointFrames()
{
    return frames;
}

int jointFrameIndex(std::string_view name)
{
    for (int i = 0; i < jointFrameCount; ++i)
        if (name == frameNames[i])
            return i;
    return -1;
}

void drawJointAxes(const JointFrames& frames)
{
    startDrawingAxes(axisWidth);
    for (const JointFrame& frame : frames)
        drawAxesAt(frame.matrix, axisLength);
    stopDrawingAxes();
}

void drawFrameAxes(const float matrix[16], float length, float width)
{
    startDrawingAxes(width);
    drawAxesAt(matrix, length);
    stopDrawingAxes();
}

void drawSelectedJointAxes(const JointFrames& frames, int selected)
{
    constexpr float length = 2.5f;
    constexpr float width = 5.0f;  // pixels
    drawFrameAxes(frames[selected].matrix, length, width);
}
