#include "geom/Sphere.h"

#include "geom/ShapeUtils.h"
#include "math/MathUtils.h"

#include <cmath>

namespace vell {

Sphere::Sphere(float radius, unsigned int segments, unsigned int rings)
{
    addShapeStreams(*this);
    genSphere(radius, segments, rings);
}

void Sphere::genSphere(float radius, unsigned int segments, unsigned int rings)
{
    const long long vertices = gridVertices(rings, segments);
    if (!checkShapeSize("Sphere", {segments, rings}, vertices, *this))
        return;
    const ShapeBuffers out = sizeShape(*this, static_cast<unsigned int>(vertices), 6u * vertices);

    const float thetaStep = 180.0f / static_cast<float>(rings);
    const float phiStep = 360.0f / static_cast<float>(segments);
    for (unsigned int r = 0; r <= rings; ++r) {
        const float theta = static_cast<float>(r) * thetaStep;
        const double sinTheta = std::sin(static_cast<double>(degToRad(theta)));
        const double cosTheta = std::cos(static_cast<double>(degToRad(theta)));
        for (unsigned int s = 0; s <= segments; ++s) {
            const size_t k = static_cast<size_t>(r) * (segments + 1) + s;
            const float phi = static_cast<float>(s) * phiStep;
            const double phiRad = degToRad(phi);
            const vec3 position(static_cast<float>(radius * sinTheta * std::sin(phiRad)),
                                static_cast<float>(radius * cosTheta),
                                static_cast<float>(radius * sinTheta * std::cos(phiRad)));
            storeVec3(out.positions, k, position);
            storeVec3(out.normals, k, normalize(position));
            storeVec2(out.texCoords, k, vec2(theta / 180.0f, phi / 360.0f));
        }
    }
    writeGridIndices(out.indices, rings, segments);
}

} // namespace vell
