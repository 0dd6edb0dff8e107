#include "geom/Torus.h"

#include "geom/ShapeUtils.h"
#include "math/MathUtils.h"

#include <cmath>

namespace vell {

Torus::Torus(float ringRadius, float tubeRadius, unsigned int tubeSegments, unsigned int ringSegments)
{
    addShapeStreams(*this);
    genTorus(ringRadius, tubeRadius, tubeSegments, ringSegments);
}

void Torus::genTorus(float ringRadius, float tubeRadius, unsigned int tubeSegments, unsigned int ringSegments)
{
    const long long vertices = gridVertices(ringSegments, tubeSegments);
    if (!checkShapeSize("Torus", {tubeSegments, ringSegments}, vertices, *this))
        return;
    const ShapeBuffers out = sizeShape(*this, static_cast<unsigned int>(vertices), 6u * vertices);

    const float outerStep = 360.0f / static_cast<float>(ringSegments);
    const float innerStep = 360.0f / static_cast<float>(tubeSegments);
    const double bigR = ringRadius;
    const double rho = tubeRadius;
    for (unsigned int i = 0; i <= ringSegments; ++i) {
        const float theta = static_cast<float>(i) * outerStep;
        const double cosTheta = std::cos(static_cast<double>(degToRad(theta)));
        const double sinTheta = std::sin(static_cast<double>(degToRad(theta)));
        const vec3 centre(static_cast<float>(bigR * cosTheta), static_cast<float>(bigR * sinTheta), 0.0f);
        for (unsigned int j = 0; j <= tubeSegments; ++j) {
            const size_t k = static_cast<size_t>(i) * (tubeSegments + 1) + j;
            const float phi = static_cast<float>(j) * innerStep;
            const double phiRad = degToRad(phi);
            const double reach = bigR + rho * std::cos(phiRad);
            const vec3 position(static_cast<float>(reach * cosTheta), static_cast<float>(reach * sinTheta),
                                static_cast<float>(rho * std::sin(phiRad)));
            storeVec3(out.positions, k, position);
            storeVec3(out.normals, k, normalize(position - centre));
            storeVec2(out.texCoords, k, vec2(theta / 360.0f, phi / 360.0f));
        }
    }
    writeGridIndices(out.indices, ringSegments, tubeSegments);
}

} // namespace vell
