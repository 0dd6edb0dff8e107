#pragma once

#include "math/Vec.h"

namespace vell {

// Column-major 4x4 matrix for column vectors: m[c] is column c, m[c][r] the element
// in row r. &m[0][0] is the 16-float array glUniformMatrix4fv takes untransposed.
// Default construction gives the zero matrix. Angles are in degrees.
class mat4 {
public:
    vec4 columns[4];

    float* ptr() { return &columns[0].x; }
    const float* ptr() const { return &columns[0].x; }
    vec4& operator[](unsigned int c) { return columns[c]; }
    const vec4& operator[](unsigned int c) const { return columns[c]; }

    // this = this x b; safe when b is this.
    mat4& operator*=(const mat4& b);

    static mat4 identityMatrix();
    static mat4 translationMatrix(float x, float y, float z);
    static mat4 scaleMatrix(float x, float y, float z, float w);
    // Counter-clockwise about the normalised axis, looking down the axis toward the origin.
    static mat4 rotationMatrix(const vec3& axis, float degrees);
    // Vertical field of view; maps z = -near to depth -1 and z = -far to +1.
    static mat4 perspectiveMatrix(float fovy, float aspect, float near, float far);
    // Note the order: eye, up direction, then the point looked at.
    static mat4 lookAtMatrix(const vec3& eye, const vec3& up, const vec3& target);
};

static_assert(sizeof(mat4) == 16 * sizeof(float), "mat4 must be packed");

// Column-major 3x3 matrix; zero by default.
class mat3 {
public:
    vec3 columns[3];

    mat3() = default;
    // Upper-left 3x3 block (a plain truncation: translation is dropped, nothing is inverted).
    explicit mat3(const mat4& m);

    float* ptr() { return &columns[0].x; }
    const float* ptr() const { return &columns[0].x; }
    vec3& operator[](unsigned int c) { return columns[c]; }
    const vec3& operator[](unsigned int c) const { return columns[c]; }
};

static_assert(sizeof(mat3) == 9 * sizeof(float), "mat3 must be packed");

// (a x b) x v applies b first.
mat4 operator*(const mat4& a, const mat4& b);
vec4 operator*(const mat4& m, const vec4& v);
// v as the point (x, y, z, 1); the first three components, without a divide by w.
vec3 operator*(const mat4& m, const vec3& v);
mat4 transpose(const mat4& m);

} // namespace vell
