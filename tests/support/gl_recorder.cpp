#include "gl_recorder.h"

#include <GL/glu.h>
#include <GL/glut.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

Matrix Matrix::identity()
{
    Matrix result;
    for (int i = 0; i < 4; ++i)
        result.m[i * 5] = 1.0;
    return result;
}

Matrix Matrix::operator*(const Matrix& other) const
{
    Matrix result;
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += m[k * 4 + row] * other.m[column * 4 + k];
            result.m[column * 4 + row] = sum;
        }
    return result;
}

std::array<double, 3> Matrix::apply(double x, double y, double z) const
{
    const double in[4] = {x, y, z, 1.0};
    double out[4] = {};
    for (int row = 0; row < 4; ++row)
        for (int k = 0; k < 4; ++k)
            out[row] += m[k * 4 + row] * in[k];
    return {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
}

Matrix translation(double x, double y, double z)
{
    Matrix result = Matrix::identity();
    result.m[12] = x;
    result.m[13] = y;
    result.m[14] = z;
    return result;
}

Matrix rotation(double degrees, double x, double y, double z)
{
    const double length = std::sqrt(x * x + y * y + z * z);
    x /= length;
    y /= length;
    z /= length;
    const double radians = degrees * M_PI / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double t = 1.0 - c;
    Matrix r = Matrix::identity();
    r.m[0] = x * x * t + c;
    r.m[1] = y * x * t + z * s;
    r.m[2] = x * z * t - y * s;
    r.m[4] = x * y * t - z * s;
    r.m[5] = y * y * t + c;
    r.m[6] = y * z * t + x * s;
    r.m[8] = x * z * t + y * s;
    r.m[9] = y * z * t - x * s;
    r.m[10] = z * z * t + c;
    return r;
}

Matrix scaling(double x, double y, double z)
{
    Matrix result = Matrix::identity();
    result.m[0] = x;
    result.m[5] = y;
    result.m[10] = z;
    return result;
}

std::vector<GlCall> GlRecorder::callsNamed(const std::string& name) const
{
    std::vector<GlCall> result;
    for (const GlCall& call : calls)
        if (call.name == name)
            result.push_back(call);
    return result;
}

GlRecorder& gl()
{
    static GlRecorder recorder;
    return recorder;
}

void resetGl()
{
    gl() = GlRecorder();
}

namespace {

std::vector<Matrix>& currentStack()
{
    return gl().matrixMode == GL_PROJECTION ? gl().projectionStack : gl().modelViewStack;
}

void record(const char* name, std::vector<double> args = {})
{
    gl().calls.push_back({name, std::move(args), gl().modelView()});
}

void multiply(const Matrix& by)
{
    currentStack().back() = currentStack().back() * by;
}

std::vector<float> copyOf(const GLfloat* values, int count)
{
    return std::vector<float>(values, values + count);
}

}  // namespace

void glPushMatrix()
{
    currentStack().push_back(currentStack().back());
    record("glPushMatrix");
}

void glPopMatrix()
{
    if (currentStack().size() < 2)
        throw std::logic_error("glPopMatrix on an empty stack");
    currentStack().pop_back();
    record("glPopMatrix");
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    multiply(translation(x, y, z));
    record("glTranslatef", {x, y, z});
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    multiply(rotation(angle, x, y, z));
    record("glRotatef", {angle, x, y, z});
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    multiply(scaling(x, y, z));
    record("glScalef", {x, y, z});
}

void glMatrixMode(GLenum mode)
{
    gl().matrixMode = mode;
    record("glMatrixMode", {static_cast<double>(mode)});
}

void glLoadIdentity()
{
    currentStack().back() = Matrix::identity();
    record("glLoadIdentity");
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    const double f = 1.0 / std::tan(fovy * M_PI / 360.0);
    Matrix p;
    p.m[0] = f / aspect;
    p.m[5] = f;
    p.m[10] = (zFar + zNear) / (zNear - zFar);
    p.m[11] = -1.0;
    p.m[14] = 2.0 * zFar * zNear / (zNear - zFar);
    multiply(p);
    record("gluPerspective", {fovy, aspect, zNear, zFar});
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    gl().viewport = {x, y, width, height};
    record("glViewport", {double(x), double(y), double(width), double(height)});
}

void glClear(GLbitfield mask)
{
    record("glClear", {static_cast<double>(mask)});
}

void glClearColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    record("glClearColor", {r, g, b, a});
}

void glClearDepth(GLclampd depth)
{
    record("glClearDepth", {depth});
}

void glDepthFunc(GLenum func)
{
    record("glDepthFunc", {static_cast<double>(func)});
}

void glShadeModel(GLenum mode)
{
    record("glShadeModel", {static_cast<double>(mode)});
}

void glEnable(GLenum capability)
{
    gl().enabled.insert(capability);
    gl().everEnabled.insert(capability);
    record("glEnable", {static_cast<double>(capability)});
}

void glDisable(GLenum capability)
{
    gl().enabled.erase(capability);
    record("glDisable", {static_cast<double>(capability)});
}

void glLightfv(GLenum light, GLenum name, const GLfloat* values)
{
    gl().params[{light, name}] = copyOf(values, 4);
    record("glLightfv", {double(light), double(name)});
}

void glMaterialfv(GLenum face, GLenum name, const GLfloat* values)
{
    gl().params[{face, name}] = copyOf(values, 4);
    record("glMaterialfv", {double(face), double(name)});
}

void glMaterialf(GLenum face, GLenum name, GLfloat value)
{
    gl().params[{face, name}] = {value};
    record("glMaterialf", {double(face), double(name), value});
}

void glColor3fv(const GLfloat* rgb)
{
    gl().colour = copyOf(rgb, 3);
    record("glColor3fv", {rgb[0], rgb[1], rgb[2]});
}

void glutSolidCube(double edge)
{
    record("glutSolidCube", {edge});
}

void glutSolidSphere(double radius, GLint slices, GLint stacks)
{
    record("glutSolidSphere", {radius, double(slices), double(stacks)});
}

void glutSwapBuffers()
{
    ++gl().swaps;
    record("glutSwapBuffers");
    if (gl().onSwap)
        gl().onSwap();
}

void glutPostRedisplay()
{
    ++gl().redisplayRequests;
    record("glutPostRedisplay");
}

void glGetFloatv(GLenum name, GLfloat* values)
{
    const Matrix& matrix = name == GL_PROJECTION_MATRIX ? gl().projectionStack.back() : gl().modelView();
    for (int i = 0; i < 16; ++i)
        values[i] = static_cast<float>(matrix.m[i]);
    record("glGetFloatv", {static_cast<double>(name)});
}

void glLoadMatrixf(const GLfloat* values)
{
    std::copy(values, values + 16, currentStack().back().m.begin());
    record("glLoadMatrixf");
}

void glBegin(GLenum mode)
{
    record("glBegin", {static_cast<double>(mode)});
}

void glEnd()
{
    record("glEnd");
}

void glLineWidth(GLfloat width)
{
    record("glLineWidth", {width});
}

void glPointSize(GLfloat size)
{
    record("glPointSize", {size});
}

void glColor3f(GLfloat r, GLfloat g, GLfloat b)
{
    gl().colour = {r, g, b};
    record("glColor3f", {r, g, b});
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    record("glVertex3f", {x, y, z});
}
