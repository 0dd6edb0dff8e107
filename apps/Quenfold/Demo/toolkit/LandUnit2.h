#pragma once

namespace vell {
class Geometry;
}

// One square terrain tile whose heights come from 2D noise sampled at world
// positions, so tiles built one tile apart meet without seams.
class LandUnit2 {
public:
    // The most segments whose vertices 16-bit indices still reach: 6 x 104^2 <= 65536.
    static constexpr float maxSegments = 104;

    // The tile spans x in [0, width] and z in [0, depth], segments cells a side
    // (a fractional count adds a cell reaching past the edge); height scales the
    // noise sampled at ((x + offsetX) noiseScale, (z + offsetZ) noiseScale).
    // Two triangles of unshared vertices per cell; the edges leave out the
    // diagonal, so the outlines draw quads. The caller owns the result; null
    // (with an error) past maxSegments.
    static vell::Geometry* gen(float width, float height, float depth, float segments, float offsetX,
                               float offsetZ, float noiseScale);
};
