#pragma once

// A stand-in for the GL, GLU and GLUT entry points the program calls. Linked
// into a test in place of the real libraries' symbols, it records every call
// with the model-view matrix it leaves, and keeps the state GL would keep, so
// transforms, call orders and frames can be checked without a display.

#include <GL/gl.h>

#include <array>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// Column-major, as GL stores it.
struct Matrix {
    std::array<double, 16> m{};

    static Matrix identity();
    Matrix operator*(const Matrix& other) const;
    std::array<double, 3> apply(double x, double y, double z) const;
    bool operator==(const Matrix& other) const { return m == other.m; }
};

Matrix translation(double x, double y, double z);
Matrix rotation(double degrees, double x, double y, double z);
Matrix scaling(double x, double y, double z);

struct GlCall {
    std::string name;
    std::vector<double> args;
    Matrix modelView;  // the current model-view matrix after the call
};

struct GlRecorder {
    std::vector<GlCall> calls;
    std::vector<Matrix> modelViewStack{Matrix::identity()};
    std::vector<Matrix> projectionStack{Matrix::identity()};
    GLenum matrixMode = GL_MODELVIEW;
    std::set<GLenum> enabled;
    std::set<GLenum> everEnabled;
    // Vector parameters by (target, parameter), e.g. (GL_LIGHT0, GL_AMBIENT).
    std::map<std::pair<GLenum, GLenum>, std::vector<float>> params;
    std::vector<float> colour;
    std::array<int, 4> viewport{};
    int redisplayRequests = 0;
    int swaps = 0;
    // Runs at each buffer swap, i.e. at the end of each shown frame.
    std::function<void()> onSwap;

    const Matrix& modelView() const { return modelViewStack.back(); }
    std::vector<GlCall> callsNamed(const std::string& name) const;
};

// The one recorder behind the stand-in entry points.
GlRecorder& gl();
// Forgets all calls and returns to GL's start state.
void resetGl();
