#pragma once

#include "geom/Geometry.h"
#include "math/Mat.h"
#include "math/Vec.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace vell {
class Shader;
}

// A field of small triangles ("raindrops") in one geometry: drop i owns vertices
// 3i, 3i+1, 3i+2 of the "position" stream. Built once, then every update moves
// the drops and rewrites their vertices in place, spun about z and wobbling in x/z.
class DropField {
public:
    struct Raindrop {
        vell::vec3 position; // centre of the triangle
        float phase = 0;     // turning angle, radians
        float spin = 0;      // in (-2, 2): roll factor and wobble phase offset
    };

    DropField(float triangleSize, float wobbleRadius);

    // (r scale.x + offset.x, r scale.y + offset.y, r scale.z + offset.z), one
    // randomFloat() r per component, drawn x first.
    static vell::vec3 randomPoint(const vell::vec3& scale, const vell::vec3& offset);

    // Reseeds the generator and replaces the field with count drops. Per drop the
    // numbers are drawn in this order: startPosition() (x, y, z), phase, spin.
    void generate(int count, int seed, const std::function<vell::vec3()>& startPosition);
    // A field that never moves: no spin is drawn, each triangle stands upright in
    // the xy plane (half-base turned by the phase, apex 0.3 x size above the
    // position) and only its outline is kept, as a line mesh.
    void generateStill(int count, int seed, const std::function<vell::vec3()>& startPosition);

    // What render draws: the filled triangles, their outlines, or outlines then fills.
    enum Passes { FILLED = 1, OUTLINES = 2, OUTLINES_THEN_FILLED = 3 };

    // Binds the shader with a 60 degree perspective (near 0.1, far plane far) and
    // a camera at eye looking at target, up +y, sets "color" and draws the passes.
    void render(vell::Shader* shader, const vell::vec3& eye, const vell::vec3& target,
                const vell::vec4& color, Passes passes = FILLED, float far = 100) const;

    // drop.position.y -= distance; below bottom it wraps up by top - bottom, once.
    static void fall(Raindrop& drop, float distance, float bottom, float top);

    // move(drop) advances one drop; its three vertices are then rewritten.
    template <class Move>
    void update(Move move)
    {
        float* vertices = positions();
        if (!vertices)
            return;
        for (size_t i = 0; i < raindrops.size(); ++i) {
            move(raindrops[i]);
            pose(i, vertices + 9 * i);
        }
    }

    vell::Geometry* getGeometry() const { return geometry.get(); }
    const std::vector<Raindrop>& getRaindrops() const { return raindrops; }
    Raindrop& getRaindrop(size_t i) { return raindrops.at(i); }

private:
    using Corners = void (*)(const Raindrop& drop, float size, vell::vec3 corners[3]);
    void build(int count, int seed, const std::function<vell::vec3()>& startPosition, bool spins,
               Corners corners, vell::Geometry::PrimitiveType type);
    float* positions() const;
    void pose(size_t i, float* vertices);

    // What a drop's pose keeps from the last frame: the roll and the apex follow
    // from its spin alone, the wobble from its spin and height; each is worked out
    // again only when those change (bit for bit).
    struct Turn {
        uint32_t spinBits = 0;
        uint32_t heightBits = 0;
        bool rollKnown = false;
        bool wobbleKnown = false;
        vell::mat4 roll;
        vell::vec3 apex;
        vell::vec3 wobble;
    };

    std::unique_ptr<vell::Geometry> geometry;
    std::vector<Raindrop> raindrops;
    std::vector<Turn> turns; // one per drop
    float triangleSize; // half-width and height of each triangle
    float wobbleRadius; // radius of the sideways wobble
};
