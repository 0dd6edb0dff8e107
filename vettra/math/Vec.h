#pragma once

namespace vell {

// Single-precision vectors. Plain values without padding: an array of them is a
// tightly packed float array that can go straight to GL. operator[] has no bounds
// check; 0 is x.

class vec2 {
public:
    float x, y;

    vec2() : x(0.0f), y(0.0f) {}
    vec2(float x_, float y_) : x(x_), y(y_) {}

    float& operator[](unsigned int i) { return this->*components[i]; }
    const float& operator[](unsigned int i) const { return this->*components[i]; }

private:
    static constexpr float vec2::*components[2] = {&vec2::x, &vec2::y};
};

class vec3 {
public:
    float x, y, z;

    vec3() : x(0.0f), y(0.0f), z(0.0f) {}
    vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    float& operator[](unsigned int i) { return this->*components[i]; }
    const float& operator[](unsigned int i) const { return this->*components[i]; }

    vec3& operator+=(const vec3& b)
    {
        x += b.x;
        y += b.y;
        z += b.z;
        return *this;
    }
    vec3& operator-=(const vec3& b)
    {
        x -= b.x;
        y -= b.y;
        z -= b.z;
        return *this;
    }
    vec3& operator*=(float s)
    {
        x *= s;
        y *= s;
        z *= s;
        return *this;
    }

private:
    static constexpr float vec3::*components[3] = {&vec3::x, &vec3::y, &vec3::z};
};

class vec4 {
public:
    float x, y, z, w;

    vec4() : x(0.0f), y(0.0f), z(0.0f), w(0.0f) {}
    vec4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}

    float& operator[](unsigned int i) { return this->*components[i]; }
    const float& operator[](unsigned int i) const { return this->*components[i]; }

private:
    static constexpr float vec4::*components[4] = {&vec4::x, &vec4::y, &vec4::z, &vec4::w};
};

static_assert(sizeof(vec2) == 2 * sizeof(float), "vec2 must be packed");
static_assert(sizeof(vec3) == 3 * sizeof(float), "vec3 must be packed");
static_assert(sizeof(vec4) == 4 * sizeof(float), "vec4 must be packed");

inline vec2 operator-(const vec2& a, const vec2& b) { return vec2(a.x - b.x, a.y - b.y); }
inline vec2 operator-(const vec2& a) { return vec2(-a.x, -a.y); }

inline vec3 operator+(const vec3& a, const vec3& b) { return vec3(a.x + b.x, a.y + b.y, a.z + b.z); }
inline vec3 operator-(const vec3& a, const vec3& b) { return vec3(a.x - b.x, a.y - b.y, a.z - b.z); }
inline vec3 operator-(const vec3& a) { return vec3(-a.x, -a.y, -a.z); }
inline vec3 operator*(const vec3& a, float s) { return vec3(a.x * s, a.y * s, a.z * s); }
inline vec3 operator/(const vec3& a, float s) { return vec3(a.x / s, a.y / s, a.z / s); }
// Component-wise product, not a dot product.
inline vec3 operator*(const vec3& a, const vec3& b) { return vec3(a.x * b.x, a.y * b.y, a.z * b.z); }

inline vec4 operator+(const vec4& a, const vec4& b)
{
    return vec4(a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w);
}
inline vec4 operator-(const vec4& a, const vec4& b)
{
    return vec4(a.x - b.x, a.y - b.y, a.z - b.z, a.w - b.w);
}
inline vec4 operator*(const vec4& a, float s) { return vec4(a.x * s, a.y * s, a.z * s, a.w * s); }

float dot(const vec3& a, const vec3& b);
vec3 cross(const vec3& a, const vec3& b);
float length(const vec3& v);
float length(const vec2& v);
// The zero vector stays zero.
vec3 normalize(const vec3& v);

} // namespace vell
