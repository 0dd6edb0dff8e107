#include "geom/Plane.h"

#include "geom/ShapeUtils.h"

namespace vell {

Plane::Plane(float width, float height, int axis, int nu, int nv)
{
    addShapeStreams(*this);
    genPlane(width, height, axis, nu, nv);
}

void Plane::genPlane(float width, float height, int axis, int nu, int nv)
{
    const long long vertices = gridVertices(nu, nv);
    if (!checkShapeSize("Plane", {nu, nv}, vertices, *this))
        return;
    const ShapeBuffers out = sizeShape(*this, static_cast<unsigned int>(vertices), 6u * nu * nv);

    const bool axisValid = axis >= 0 && axis <= 2;
    vec3 normal;
    if (axisValid)
        normal[static_cast<unsigned int>(axis)] = 1.0f;

    for (int j = 0; j <= nv; ++j) {
        for (int i = 0; i <= nu; ++i) {
            const size_t k = static_cast<size_t>(j) * (nu + 1) + i;
            const float u = static_cast<float>(i) / static_cast<float>(nu);
            const float v = static_cast<float>(j) / static_cast<float>(nv);
            const float a = (width / 2.0f) * (2.0f * u - 1.0f);
            const float b = (height / 2.0f) * (2.0f * v - 1.0f);
            vec3 position;
            if (axis == 0)
                position = vec3(0.0f, a, b);
            else if (axis == 1)
                position = vec3(a, 0.0f, b);
            else if (axis == 2)
                position = vec3(a, b, 0.0f);
            storeVec3(out.positions, k, position);
            storeVec3(out.normals, k, normal);
            storeVec2(out.texCoords, k, vec2(-u, -v)); // negated: mirrors a repeating texture
        }
    }

    const unsigned int w = static_cast<unsigned int>(nu) + 1;
    uint16_t* index = out.indices;
    for (unsigned int j = 0; j < static_cast<unsigned int>(nv); ++j) {
        for (unsigned int i = 0; i < static_cast<unsigned int>(nu); ++i) {
            const unsigned int quad[6] = {j * w + i, (j + 1) * w + i + 1, j * w + i + 1,
                                          j * w + i, (j + 1) * w + i, (j + 1) * w + i + 1};
            for (unsigned int q : quad)
                *index++ = static_cast<uint16_t>(q);
        }
    }
}

} // namespace vell
