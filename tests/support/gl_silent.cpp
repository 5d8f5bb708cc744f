// GL, GLU and GLUT entry points that do nothing, keep nothing and allocate
// nothing: for tests that must see the program's own work alone.

#include <GL/glu.h>
#include <GL/glut.h>

void glPushMatrix() {}
void glPopMatrix() {}
void glTranslatef(GLfloat, GLfloat, GLfloat) {}
void glRotatef(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glScalef(GLfloat, GLfloat, GLfloat) {}
void glMatrixMode(GLenum) {}
void glLoadIdentity() {}
void gluPerspective(GLdouble, GLdouble, GLdouble, GLdouble) {}
void glViewport(GLint, GLint, GLsizei, GLsizei) {}
void glClear(GLbitfield) {}
void glClearColor(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glClearDepth(GLclampd) {}
void glDepthFunc(GLenum) {}
void glShadeModel(GLenum) {}
void glEnable(GLenum) {}
void glLightfv(GLenum, GLenum, const GLfloat*) {}
void glMaterialfv(GLenum, GLenum, const GLfloat*) {}
void glMaterialf(GLenum, GLenum, GLfloat) {}
void glColor3fv(const GLfloat*) {}
void glutSolidCube(double) {}
void glutSolidSphere(double, GLint, GLint) {}
void glutSwapBuffers() {}
void glutPostRedisplay() {}
