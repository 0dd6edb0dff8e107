#pragma once

#include "framework/Effect.h"
#include "math/Vec.h"

#include <memory>

class GradientBackground;

namespace vell {
class Geometry;
class Shader;
} // namespace vell

// A mesh whose triangles carry both smooth (per-vertex) normals and one flat
// normal each, so one shader can mix smooth and faceted lighting; drawn over
// a gradient while the camera circles the origin at radius 3.
class SmoothFlatShading : public Effect {
public:
    // How the flat normal of a triangle is made from its three vertex normals.
    enum FlatNormal { AVERAGE, FIRST_VERTEX };

    // A new mesh with one vertex per index of source (streams "position",
    // "normal", "flatNormal") and the indices 0, 1, 2, ...; null, with an error,
    // when source lacks the streams, names a missing vertex or has more
    // indices than 16 bits reach.
    static vell::Geometry* unindex(const vell::Geometry& source, FlatNormal rule);

    SmoothFlatShading(const char* shaderFile, const vell::vec3& color1, const vell::vec3& color2);
    ~SmoothFlatShading() override;

    void draw() override;

    std::unique_ptr<vell::Shader> shader;
    std::unique_ptr<vell::Geometry> geometry;
    std::unique_ptr<GradientBackground> background;
    vell::vec3 color1;
    vell::vec3 color2;
};
