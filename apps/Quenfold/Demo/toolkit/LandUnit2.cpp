#include "toolkit/LandUnit2.h"

#include "geom/Geometry.h"
#include "math/Noise.h"
#include "toolkit/GeometryBuilder.h"
#include "utils/Utils.h"

using vell::vec3;

vell::Geometry* LandUnit2::gen(float width, float height, float depth, float segments, float offsetX,
                               float offsetZ, float noiseScale)
{
    const float n = segments;
    // Six vertices per cell, (ceil n)^2 cells, all reachable by 16-bit indices.
    if (!(n <= maxSegments)) {
        vell::Log::error("LandUnit2: %g segments exceed 16-bit indices", static_cast<double>(n));
        return nullptr;
    }
    const auto point = [&](float a, float b) {
        const float x = a / n * width;
        const float z = b / n * depth;
        return vec3(x, noise((x + offsetX) * noiseScale, (z + offsetZ) * noiseScale) * height, z);
    };

    GeometryBuilder builder;
    int k = 0;
    for (int j = 0; static_cast<float>(j) < n; ++j) {
        for (int i = 0; static_cast<float>(i) < n; ++i) {
            const float fi = static_cast<float>(i);
            const float fj = static_cast<float>(j);
            const vec3 p00 = point(fi, fj), p10 = point(fi + 1, fj);
            const vec3 p11 = point(fi + 1, fj + 1), p01 = point(fi, fj + 1);

            builder.add("position", p00);
            builder.add("position", p10);
            builder.add("position", p11);
            builder.addEdge(k, k + 1);
            builder.addEdge(k + 1, k + 2);
            builder.addTriangle(k, k + 1, k + 2);
            k += 3;

            // The shared diagonal p00-p11 stays out of both edge lists.
            builder.add("position", p00);
            builder.add("position", p11);
            builder.add("position", p01);
            builder.addEdge(k + 1, k + 2);
            builder.addEdge(k + 2, k);
            builder.addTriangle(k, k + 1, k + 2);
            k += 3;
        }
    }
    return builder.build(vell::Geometry::TRIANGLES);
}
