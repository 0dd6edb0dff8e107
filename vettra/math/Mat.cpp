#include "math/Mat.h"

#include "math/MathUtils.h"

#include <cmath>

namespace vell {

mat4& mat4::operator*=(const mat4& b)
{
    mat4 result;
    for (unsigned int c = 0; c < 4; ++c)
        for (unsigned int r = 0; r < 4; ++r)
            result[c][r] = columns[0][r] * b[c][0] + columns[1][r] * b[c][1] +
                           columns[2][r] * b[c][2] + columns[3][r] * b[c][3];
    *this = result;
    return *this;
}

mat4 mat4::identityMatrix()
{
    return scaleMatrix(1.0f, 1.0f, 1.0f, 1.0f);
}

mat4 mat4::translationMatrix(float x, float y, float z)
{
    mat4 m = identityMatrix();
    m[3] = vec4(x, y, z, 1.0f);
    return m;
}

mat4 mat4::scaleMatrix(float x, float y, float z, float w)
{
    mat4 m;
    m[0][0] = x;
    m[1][1] = y;
    m[2][2] = z;
    m[3][3] = w;
    return m;
}

mat4 mat4::rotationMatrix(const vec3& axis, float degrees)
{
    const double angle = degToRad(degrees);
    const float s = (float)sin(angle);
    const float c = (float)cos(angle);
    const float t = 1.0f - c;
    const vec3 n = normalize(axis);
    const float x = n.x, y = n.y, z = n.z;

    mat4 m;
    m[0] = vec4(t * x * x + c, t * x * y + s * z, t * x * z - s * y, 0.0f);
    m[1] = vec4(t * x * y - s * z, t * y * y + c, t * y * z + s * x, 0.0f);
    m[2] = vec4(t * x * z + s * y, t * y * z - s * x, t * z * z + c, 0.0f);
    m[3] = vec4(0.0f, 0.0f, 0.0f, 1.0f);
    return m;
}

mat4 mat4::perspectiveMatrix(float fovy, float aspect, float near, float far)
{
    const double angle = degToRad(fovy / 2.0f);
    const float f = (float)cos(angle) / (float)sin(angle);

    mat4 m;
    m[0][0] = f / aspect;
    m[1][1] = f;
    m[2][2] = -(far + near) / (far - near);
    m[2][3] = -1.0f;
    m[3][2] = (far * -2.0f * near) / (far - near);
    return m;
}

mat4 mat4::lookAtMatrix(const vec3& eye, const vec3& up, const vec3& target)
{
    const vec3 f = normalize(target - eye);
    const vec3 u0 = normalize(up);
    const vec3 s = normalize(cross(f, u0));
    const vec3 u = normalize(cross(s, f));

    mat4 m = identityMatrix();
    for (unsigned int c = 0; c < 3; ++c) {
        m[c][0] = s[c];
        m[c][1] = u[c];
        m[c][2] = -f[c];
    }
    m *= translationMatrix(-eye.x, -eye.y, -eye.z);
    return m;
}

mat3::mat3(const mat4& m)
{
    for (unsigned int c = 0; c < 3; ++c)
        columns[c] = vec3(m[c][0], m[c][1], m[c][2]);
}

mat4 operator*(const mat4& a, const mat4& b)
{
    mat4 m = a;
    m *= b;
    return m;
}

vec4 operator*(const mat4& m, const vec4& v)
{
    vec4 result;
    for (unsigned int r = 0; r < 4; ++r)
        result[r] = v.x * m[0][r] + v.y * m[1][r] + v.z * m[2][r] + v.w * m[3][r];
    return result;
}

vec3 operator*(const mat4& m, const vec3& v)
{
    const vec4 p = m * vec4(v.x, v.y, v.z, 1.0f);
    return vec3(p.x, p.y, p.z);
}

mat4 transpose(const mat4& m)
{
    mat4 t = m;
    for (unsigned int i = 0; i < 4; ++i)
        for (unsigned int j = i + 1; j < 4; ++j) {
            t[i][j] = m[j][i];
            t[j][i] = m[i][j];
        }
    return t;
}

} // namespace vell
