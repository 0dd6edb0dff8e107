#include "geom/Frustum.h"

#include <cmath>

namespace vell {

namespace {

vec4 row(const mat4& m, unsigned int r) { return vec4(m[0][r], m[1][r], m[2][r], m[3][r]); }

vec4 combine(const vec4& a, float s, const vec4& b)
{
    return vec4(a.x + s * b.x, a.y + s * b.y, a.z + s * b.z, a.w + s * b.w);
}

// Far larger than the float rounding of a transform, far smaller than a pixel:
// part of the size of the terms summed, and a part of a unit of clip space.
constexpr float kRelativeMargin = 1e-4f;
constexpr float kMargin = 1e-4f;

} // namespace

Frustum::Frustum(const mat4& clip) { setPlanes(clip, -1, 1, -1, 1); }

Frustum::Frustum(const mat4& clip, const int rect[4], int windowWidth, int windowHeight)
{
    if (windowWidth <= 0 || windowHeight <= 0) {
        setPlanes(clip, -1, 1, -1, 1);
        return;
    }
    // One pixel more on every side: a pixel is drawn by where its centre falls.
    const auto ndc = [](int pixel, int size) { return 2.0f * static_cast<float>(pixel) / static_cast<float>(size) - 1; };
    setPlanes(clip, ndc(rect[0] - 1, windowWidth), ndc(rect[0] + rect[2] + 1, windowWidth),
              ndc(rect[1] - 1, windowHeight), ndc(rect[1] + rect[3] + 1, windowHeight));
}

void Frustum::setPlanes(const mat4& clip, float x0, float x1, float y0, float y1)
{
    const vec4 x = row(clip, 0), y = row(clip, 1), z = row(clip, 2), w = row(clip, 3);
    planes[0] = combine(x, -x0, w);             // x >= x0 w
    planes[1] = combine(x * -1.0f, x1, w);      // x <= x1 w
    planes[2] = combine(y, -y0, w);             // y >= y0 w
    planes[3] = combine(y * -1.0f, y1, w);      // y <= y1 w
    planes[4] = combine(z, 1, w);               // z >= -w, the near plane
    planes[5] = combine(z * -1.0f, 1, w);       // z <= w, the far plane
}

Frustum Frustum::shifted(const vec3& offset) const
{
    Frustum moved;
    for (unsigned int i = 0; i < 6; ++i) {
        const vec4& q = planes[i];
        moved.planes[i] = vec4(q.x, q.y, q.z, q.w + q.x * offset.x + q.y * offset.y + q.z * offset.z);
    }
    return moved;
}

bool Frustum::excludes(const vec3& lo, const vec3& hi) const
{
    for (const vec4& q : planes) {
        // The corner furthest to the inner side, and the size of the terms summed.
        float reach = q.w, size = std::fabs(q.w);
        for (unsigned int a = 0; a < 3; ++a) {
            const float c = q[a] >= 0 ? hi[a] : lo[a];
            reach += q[a] * c;
            size += std::fabs(q[a] * c);
        }
        if (reach < -(kRelativeMargin * size + kMargin))
            return true;
    }
    return false;
}

} // namespace vell
