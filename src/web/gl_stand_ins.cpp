// What emscripten's GLUT and fixed-function emulation lack or only log
// about, filled in so the shared drawing and scene code links and draws as
// it does natively.

#include <GL/glut.h>

#include "solid_shapes.h"

void glutSolidSphere(GLdouble radius, GLint slices, GLint stacks)
{
    drawSolidSphere(radius, slices, stacks);
}

void glutSolidCube(GLdouble size)
{
    drawSolidCube(size);
}

void glMaterialf(GLenum face, GLenum pname, GLfloat param)
{
    glMaterialfv(face, pname, &param);
}

// The emulation always shades smoothly, which is what the scene asks for;
// its own glShadeModel only logs a reminder to the console.
void glShadeModel(GLenum) {}
