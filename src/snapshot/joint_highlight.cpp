#include "joint_highlight.h"

#include <GL/freeglut.h>

#include "hand_model.h"
#include "joint_frames.h"

namespace {

int selected = -1;

}  // namespace

void followJointFrames()
{
    startRecordingJointFrames(hand, observeJointReached);
}

void selectJoint(int frame)
{
    selected = frame;
    selectJointSubtree(frame);
}

// The colour drives the material's ambient and diffuse; the specular is
// dimmed with them, and both come back with the attributes.
void dimShapes()
{
    glPushAttrib(GL_CURRENT_BIT | GL_LIGHTING_BIT);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    glColor3f(colour[0] * dimmedShare, colour[1] * dimmedShare, colour[2] * dimmedShare);
    const GLfloat specular[4] = {dimmedShare, dimmedShare, dimmedShare, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
}

void undimShapes()
{
    glPopAttrib();
}

void drawSelectedJoint()
{
    if (selected < 0)
        return;
    const JointFrame& joint = lastJointFrames()[selected];
    drawSelectedJointAxes(lastJointFrames(), selected);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glPushMatrix();
    glLoadMatrixf(joint.matrix);
    glColor3f(1.0f, 1.0f, 1.0f);
    const float at = selectedLetterDistance;
    const float places[3][3] = {{at, 0, 0}, {0, at, 0}, {0, 0, at}};
    for (int axis = 0; axis < 3; ++axis) {
        glRasterPos3fv(places[axis]);
        glutBitmapCharacter(GLUT_BITMAP_HELVETICA_12, "XYZ"[axis]);
    }
    glRasterPos3f(0.0f, 0.0f, 0.0f);
    glBitmap(0, 0, 0, 0, 0, -18, nullptr);  // under the origin
    glutBitmapString(GLUT_BITMAP_HELVETICA_12, reinterpret_cast<const unsigned char*>(joint.label));
    glPopMatrix();
    glPopAttrib();
}
