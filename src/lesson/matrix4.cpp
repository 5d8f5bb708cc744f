#include "matrix4.h"

#include <cmath>

#include "sine_cosine.h"

namespace {

constexpr double pi = 3.14159265358979323846;  // M_PI, which strict C++ does not promise
constexpr float shortestRotationAxis = 1.0e-4f;

float& at(Matrix4& matrix, int row, int column)
{
    return matrix.m[4 * column + row];
}

}  // namespace

Matrix4 identityMatrix()
{
    return {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
}

Matrix4 operator*(const Matrix4& a, const Matrix4& b)
{
    Matrix4 product{};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a.m[4 * k + row] * b.m[4 * column + k];
            at(product, row, column) = sum;
        }
    return product;
}

Matrix4 translation(float x, float y, float z)
{
    Matrix4 matrix = identityMatrix();
    at(matrix, 0, 3) = x;
    at(matrix, 1, 3) = y;
    at(matrix, 2, 3) = z;
    return matrix;
}

// Mesa's glRotatef: sine and cosine in double, rounded to float; a turn
// about a coordinate axis is written out exactly, with no rounding of 1.
Matrix4 rotation(float degrees, float x, float y, float z)
{
    const double radians = degrees * pi / 180.0;
    const float s = static_cast<float>(sine(radians));
    const float c = static_cast<float>(cosine(radians));
    Matrix4 matrix = identityMatrix();
    auto turnIn = [&](int a, int b, float sign) {  // the plane of axes a and b
        at(matrix, a, a) = c;
        at(matrix, b, b) = c;
        at(matrix, a, b) = -sign * s;
        at(matrix, b, a) = sign * s;
    };
    if (y == 0.0f && z == 0.0f && x != 0.0f) {
        turnIn(1, 2, x > 0 ? 1.0f : -1.0f);
        return matrix;
    }
    if (x == 0.0f && z == 0.0f && y != 0.0f) {
        turnIn(2, 0, y > 0 ? 1.0f : -1.0f);
        return matrix;
    }
    if (x == 0.0f && y == 0.0f && z != 0.0f) {
        turnIn(0, 1, z > 0 ? 1.0f : -1.0f);
        return matrix;
    }
    // An axis too short to normalise leaves the matrix as it was, as in Mesa.
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length <= shortestRotationAxis)
        return matrix;
    x /= length;
    y /= length;
    z /= length;
    const float t = 1.0f - c;
    at(matrix, 0, 0) = x * x * t + c;
    at(matrix, 0, 1) = x * y * t - z * s;
    at(matrix, 0, 2) = x * z * t + y * s;
    at(matrix, 1, 0) = y * x * t + z * s;
    at(matrix, 1, 1) = y * y * t + c;
    at(matrix, 1, 2) = y * z * t - x * s;
    at(matrix, 2, 0) = z * x * t - y * s;
    at(matrix, 2, 1) = z * y * t + x * s;
    at(matrix, 2, 2) = z * z * t + c;
    return matrix;
}

Matrix4 scaling(float x, float y, float z)
{
    Matrix4 matrix = identityMatrix();
    at(matrix, 0, 0) = x;
    at(matrix, 1, 1) = y;
    at(matrix, 2, 2) = z;
    return matrix;
}

// GLU's: worked out in double, handed to GL, which keeps floats.
Matrix4 perspective(double fieldOfViewDegrees, double aspect, double near, double far)
{
    const double halfAngle = fieldOfViewDegrees / 2 * pi / 180;
    const double cotangent = cosine(halfAngle) / sine(halfAngle);
    const double depth = far - near;
    Matrix4 matrix{};
    at(matrix, 0, 0) = static_cast<float>(cotangent / aspect);
    at(matrix, 1, 1) = static_cast<float>(cotangent);
    at(matrix, 2, 2) = static_cast<float>(-(far + near) / depth);
    at(matrix, 3, 2) = -1.0f;
    at(matrix, 2, 3) = static_cast<float>(-2 * near * far / depth);
    return matrix;
}

void normalMatrix(const Matrix4& modelView, float out[9])
{
    auto a = [&](int row, int column) { return modelView.m[4 * column + row]; };
    // Cofactors of the upper 3 × 3: the inverse transpose is they over the determinant.
    float cofactor[3][3];
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            const int r1 = (row + 1) % 3, r2 = (row + 2) % 3;
            const int c1 = (column + 1) % 3, c2 = (column + 2) % 3;
            cofactor[row][column] = a(r1, c1) * a(r2, c2) - a(r1, c2) * a(r2, c1);
        }
    const float determinant =
        a(0, 0) * cofactor[0][0] + a(0, 1) * cofactor[0][1] + a(0, 2) * cofactor[0][2];
    const float scale = determinant != 0.0f ? 1.0f / determinant : 0.0f;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            out[3 * column + row] = cofactor[row][column] * scale;
}

void transformPoint(const Matrix4& matrix, const float point[4], float out[4])
{
    for (int row = 0; row < 4; ++row) {
        float sum = 0.0f;
        for (int k = 0; k < 4; ++k)
            sum += matrix.m[4 * k + row] * point[k];
        out[row] = sum;
    }
}
