#include "toolkit/IsoSurface.h"

#include "geom/Geometry.h"
#include "toolkit/MarchingCubes.h"
#include "utils/Utils.h"

#include <algorithm>

using vell::vec2;
using vell::vec3;

namespace {

// Corners joined by each of the twelve cell edges.
const int kEdgeCorners[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                                 {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};

// Triangles of each case.
const std::array<unsigned char, 256> kTriangleCount = [] {
    std::array<unsigned char, 256> count{};
    for (int c = 0; c < 256; ++c)
        while (count[c] < 5 && TriangleConnectionTable[c][3 * count[c]] >= 0)
            ++count[c];
    return count;
}();

} // namespace

IsoSurface::IsoSurface(int nx_, int ny_, int nz_, float sizeX_, float sizeY_, float sizeZ_)
    : isoLevel(0), nx(std::max(nx_, 2)), ny(std::max(ny_, 2)), nz(std::max(nz_, 2)), sizeX(sizeX_),
      sizeY(sizeY_), sizeZ(sizeZ_)
{
    initGrid();
}

IsoSurface::~IsoSurface() = default;

float IsoSurface::findValue(vec3& p)
{
    return vell::length(p) <= 0.75f ? 1.0f : -1.0f;
}

void IsoSurface::initGrid()
{
    points.assign(static_cast<size_t>(nx) * ny * nz, TGridPoint());
    auto coordinate = [](int i, int count, float size) {
        return (static_cast<float>(2 * i) / static_cast<float>(count - 1) - 1.0f) * size;
    };
    for (int z = 0; z < nz; ++z)
        for (int y = 0; y < ny; ++y)
            for (int x = 0; x < nx; ++x)
                points[x + nx * (y + ny * z)].position =
                    vec3(coordinate(x, nx, sizeX), coordinate(y, ny, sizeY), coordinate(z, nz, sizeZ));

    const int cx = nx - 1, cy = ny - 1, cz = nz - 1;
    cells.assign(static_cast<size_t>(cx) * cy * cz, {});
    auto point = [this](int x, int y, int z) { return &points[x + nx * (y + ny * z)]; };
    for (int z = 0; z < cz; ++z) {
        for (int y = 0; y < cy; ++y) {
            for (int x = 0; x < cx; ++x) {
                cells[x + cx * (y + cy * z)] = {point(x, y, z),         point(x + 1, y, z),
                                                point(x + 1, y, z + 1), point(x, y, z + 1),
                                                point(x, y + 1, z),     point(x + 1, y + 1, z),
                                                point(x + 1, y + 1, z + 1), point(x, y + 1, z + 1)};
            }
        }
    }
}

void IsoSurface::update(float time)
{
    // x outermost, z innermost: the order a field drawing random numbers sees.
    for (int x = 0; x < nx; ++x)
        for (int y = 0; y < ny; ++y)
            for (int z = 0; z < nz; ++z) {
                TGridPoint& p = points[x + nx * (y + ny * z)];
                p.value = findValue(p.position);
            }

    const int sy = nx, sz = nx * ny; // index steps along y and z
    for (int z = 1; z < nz - 1; ++z)
        for (int y = 1; y < ny - 1; ++y)
            for (int x = 1; x < nx - 1; ++x) {
                const int i = x + nx * (y + ny * z);
                points[i].normal = vec3(points[i - 1].value - points[i + 1].value,
                                        points[i - sy].value - points[i + sy].value,
                                        points[i - sz].value - points[i + sz].value);
            }
    rebuild();
}

void IsoSurface::rebuild()
{
    geometry.reset();
    builder.reset();
    chunks.clear();
    full = false;
    // Size the lists once for the whole surface.
    size_t triangles = 0;
    for (const auto& corner : cells)
        triangles += kTriangleCount[caseIndex(corner)];
    const size_t vertices = std::min<size_t>(3 * triangles, kMaxVertices);
    builder.reserve(vertices, vertices);

    const int cx = nx - 1, cy = ny - 1, cz = nz - 1;
    const int sx = chunkCells[0] > 0 ? chunkCells[0] : cx, sy = chunkCells[1] > 0 ? chunkCells[1] : cy,
              sz = chunkCells[2] > 0 ? chunkCells[2] : cz;
    for (int z1 = cz; z1 > 0; z1 -= sz)
        for (int y0 = 0; y0 < cy; y0 += sy)
            for (int x0 = 0; x0 < cx; x0 += sx)
                marchChunk(x0, y0, std::max(z1 - sz, 0), std::min(x0 + sx, cx), std::min(y0 + sy, cy), z1);
    geometry.reset(builder.build(vell::Geometry::TRIANGLES));
    geometry->makeStatic(); // rebuilt, never rewritten

    boundChunks();
}

// Each chunk's box is that of its vertices.
void IsoSurface::boundChunks()
{
    for (IsoChunk& chunk : chunks)
        geometry->bound(chunk.indices, &chunk.lo, &chunk.hi);
}

void IsoSurface::marchChunk(int x0, int y0, int z0, int x1, int y1, int z1)
{
    const unsigned int first = builder.getNumIndices();
    for (int x = x0; x < x1; ++x)
        for (int y = y0; y < y1; ++y)
            for (int z = z0; z < z1; ++z)
                marchCube(x, y, z);
    const unsigned int count = builder.getNumIndices() - first;
    if (count > 0)
        chunks.push_back(IsoChunk{vec3(), vec3(), vell::IndexRange{first, count}});
}

void IsoSurface::setChunkCells(int x, int y, int z)
{
    chunkCells[0] = std::max(x, 1);
    chunkCells[1] = std::max(y, 1);
    chunkCells[2] = std::max(z, 1);
}

int IsoSurface::caseIndex(const std::array<TGridPoint*, 8>& corner) const
{
    int index = 0;
    for (int i = 0; i < 8; ++i)
        if (corner[i]->value > isoLevel)
            index |= 1 << i;
    return index;
}

void IsoSurface::marchCube(int x, int y, int z)
{
    if (x < 0 || y < 0 || z < 0 || x >= nx - 1 || y >= ny - 1 || z >= nz - 1)
        return;
    const std::array<TGridPoint*, 8>& corner = cells[x + (nx - 1) * (y + (ny - 1) * z)];
    const int cubeIndex = caseIndex(corner);
    const int edgeMask = CubeEdgeFlags[cubeIndex];
    if (edgeMask == 0)
        return;

    TVect edgeVertex[12];
    for (int e = 0; e < 12; ++e)
        if (edgeMask & (1 << e))
            interpolate(corner[kEdgeCorners[e][0]], corner[kEdgeCorners[e][1]], edgeVertex[e]);

    const int* row = TriangleConnectionTable[cubeIndex];
    unsigned int k = builder.getNumIndices();
    for (int t = 0; t < 5 && row[3 * t] >= 0; ++t) {
        if (k + 3 > kMaxVertices) {
            if (!full)
                vell::Log::error("IsoSurface: more than %u vertices, the surface is cut short", kMaxVertices);
            full = true;
            return;
        }
        const TVect* v[3] = {&edgeVertex[row[3 * t]], &edgeVertex[row[3 * t + 1]], &edgeVertex[row[3 * t + 2]]};
        const vec3 n = vell::cross(v[1]->position - v[0]->position, v[2]->position - v[0]->position);
        for (const TVect* vertex : v)
            builder.addVertex(vertex->position, n,
                              vec2(static_cast<float>(static_cast<double>(vertex->normal.x) * 0.5 + 0.5),
                                   static_cast<float>(static_cast<double>(vertex->normal.y) * 0.5 + 0.5)));
        builder.addTriangle(static_cast<int>(k), static_cast<int>(k + 1), static_cast<int>(k + 2));
        k += 3;
    }
}

void IsoSurface::interpolate(TGridPoint* a, TGridPoint* b, TVect& out)
{
    const float f = (isoLevel - a->value) / (b->value - a->value);
    out.position = a->position + (b->position - a->position) * f;
    out.normal = vell::normalize(a->normal + (b->normal - a->normal) * f);
}

vell::Geometry* IsoSurface::getGeometry()
{
    if (!geometry)
        update(0);
    return geometry.get();
}
