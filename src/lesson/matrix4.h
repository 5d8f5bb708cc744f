#pragma once

// A 4 x 4 single-precision matrix as GL keeps one: 16 numbers, column by
// column, so element (row r, column c) is m[4 * c + r].
struct Matrix4 {
    float m[16];
};

Matrix4 identityMatrix();

// a × b: b's transform is applied first, as GL post-multiplies.
Matrix4 operator*(const Matrix4& a, const Matrix4& b);

// The matrices glTranslatef, glRotatef, glScalef and gluPerspective multiply by.
Matrix4 translation(float x, float y, float z);
Matrix4 rotation(float degrees, float x, float y, float z);
Matrix4 scaling(float x, float y, float z);
Matrix4 perspective(double fieldOfViewDegrees, double aspect, double near, double far);

// The inverse transpose of the upper 3 × 3, column by column: it carries
// normals into eye space, keeping them at right angles to scaled surfaces.
void normalMatrix(const Matrix4& modelView, float out[9]);

// The matrix applied to the homogeneous point (x, y, z, w).
void transformPoint(const Matrix4& matrix, const float point[4], float out[4]);
