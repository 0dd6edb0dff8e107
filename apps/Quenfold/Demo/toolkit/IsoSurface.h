#pragma once

#include "geom/GeometryRenderer.h"
#include "math/Vec.h"
#include "toolkit/GeometryBuilder.h"

#include <array>
#include <memory>
#include <vector>

namespace vell {
class Geometry;
} // namespace vell

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

// The triangles of one box of cells: a run of the index list, and the box that
// holds their vertices.
struct IsoChunk {
    vell::vec3 lo, hi;
    vell::IndexRange indices;
};

// Polygonises a scalar field sampled on a regular grid over the box
// [-sizeX, sizeX] x [-sizeY, sizeY] x [-sizeZ, sizeZ] with marching cubes into a
// flat-shaded triangle mesh of unshared vertices ("position", face "normal",
// "texCoord0" from the field gradient). The cells are marched in chunks, boxes
// of cells whose triangles follow one another in the mesh, so that a view can
// leave out the chunks it cannot see (ChunkCuller).
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

    // Cells per chunk along each axis (at least 1), for the builds from now on; a
    // new surface has one chunk, the whole grid. Chunks go from the +z end of the
    // grid to the -z end, then by y and x; the cells in each go x, y, z like the grid.
    void setChunkCells(int x, int y, int z);
    // The chunks of the last build that hold triangles, in the order of the mesh.
    const std::vector<IsoChunk>& getChunks() const { return chunks; }

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
    void boundChunks();
    // Marches the cells from (x0, y0, z0) up to but without (x1, y1, z1) and notes their chunk.
    void marchChunk(int x0, int y0, int z0, int x1, int y1, int z1);

    int chunkCells[3] = {0, 0, 0}; // 0: the whole grid along that axis
    std::vector<IsoChunk> chunks;

    bool full = false; // this build reached kMaxVertices
};
