#pragma once

#include "math/Vec.h"
#include "toolkit/GeometryBuilder.h"

#include <array>
#include <memory>
#include <vector>

namespace vell {
class Geometry;
}

// One sample of the field.
struct TGridPoint {
    float value = 0;
    vell::vec3 position;
    vell::vec3 normal; // gradient estimate, zero on the grid's boundary
};

// One surface vertex, interpolated along a cell edge.
struct TVect {
    vell::vec3 position;
    vell::vec3 normal;
};

// Polygonises a scalar field sampled on a regular grid over the box
// [-sizeX, sizeX] x [-sizeY, sizeY] x [-sizeZ, sizeZ] with marching cubes into a
// flat-shaded triangle mesh of unshared vertices ("position", face "normal",
// "texCoord0" from the field gradient).
class IsoSurface {
public:
    // Counts below 2 points per axis are raised to 2.
    IsoSurface(int nx, int ny, int nz, float sizeX, float sizeY, float sizeZ);
    virtual ~IsoSurface();
    IsoSurface(const IsoSurface&) = delete;
    IsoSurface& operator=(const IsoSurface&) = delete;

    // The field; this one is 1 inside a ball of radius 0.75, -1 outside.
    virtual float findValue(vell::vec3& p);

    // Samples the field, estimates gradients and rebuilds the mesh (time unused).
    void update(float time);
    void rebuild();
    void marchCube(int x, int y, int z);
    void interpolate(TGridPoint* a, TGridPoint* b, TVect& out);
    void initGrid();
    // Builds on first use; owned by the surface.
    vell::Geometry* getGeometry();

    // 16-bit indices address this many unshared vertices at most.
    static constexpr unsigned int kMaxVertices = 65536;

    std::unique_ptr<vell::Geometry> geometry;
    GeometryBuilder builder;
    float isoLevel;
    std::vector<TGridPoint> points;                 // x + nx y + nx ny z
    std::vector<std::array<TGridPoint*, 8>> cells; // x + (nx-1) y + (nx-1)(ny-1) z
    int nx, ny, nz;
    float sizeX, sizeY, sizeZ;

private:
    // Bit i set when corner i lies above isoLevel.
    int caseIndex(const std::array<TGridPoint*, 8>& corner) const;

    bool full = false; // this build reached kMaxVertices
};
