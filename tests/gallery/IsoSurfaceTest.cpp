#include "gallery/IsoTerrainModule.h"
#include "geom/Geometry.h"
#include "support/MeshTopology.h"
#include "toolkit/IsoSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

using namespace vell;

namespace {

// A field that counts its samples.
class CountingSurface : public IsoSurface {
public:
    CountingSurface(int n, float value) : IsoSurface(n, n, n, 1, 1, 1), constant(value) {}
    float findValue(vec3& p) override
    {
        ++samples;
        return std::isnan(constant) ? IsoSurface::findValue(p) : constant;
    }
    float constant;
    int samples = 0;
};

// +1 and -1 alternating from point to point: every cell is a worst case.
class CheckerSurface : public IsoSurface {
public:
    CheckerSurface() : IsoSurface(40, 40, 40, 1, 1, 1) {}
    float findValue(vec3& p) override
    {
        const long sum = std::lround((p.x + 1) * 19.5f) + std::lround((p.y + 1) * 19.5f) + std::lround((p.z + 1) * 19.5f);
        return sum % 2 ? 1.0f : -1.0f;
    }
};

// The mesh's triangles as position triples, sorted.
std::vector<std::array<float, 9>> triangles(Geometry& g)
{
    const float* p = g.getAttrib("position", VEC3)->getBuffer();
    std::vector<std::array<float, 9>> list(g.getNumIndices() / 3);
    for (size_t t = 0; t < list.size(); ++t)
        for (int k = 0; k < 9; ++k)
            list[t][k] = p[3 * g.getIndices()[3 * t + k / 3] + k % 3];
    std::sort(list.begin(), list.end());
    return list;
}

// Grid steps of an 8-point axis over [-1, 1] from -1: a point's coordinate is i * 2/7 - 1.
double steps(float c) { return (static_cast<double>(c) + 1) * 3.5; }

} // namespace

TEST(IsoSurfaceTest, BallIsClosedWithEveryVertexMidwayAlongACrossingEdge)
{
    IsoSurface ball(8, 8, 8, 1, 1, 1);
    Geometry* g = ball.getGeometry();
    ASSERT_GT(g->getNumVertices(), 0u);
    EXPECT_EQ(g->getNumVertices(), g->getNumIndices()); // nothing shared

    const MeshTopology mesh(*g);
    EXPECT_EQ(mesh.openEdges(), 0);
    EXPECT_EQ(mesh.euler(), 2);

    const float* p = g->getAttrib("position", VEC3)->getBuffer();
    for (unsigned int v = 0; v < g->getNumVertices(); ++v) {
        // Two coordinates on grid lines, the third halfway between two grid points...
        int halves = 0, axis = 0;
        for (int c = 0; c < 3; ++c) {
            const double s = steps(p[3 * v + c]);
            const double frac = s - std::floor(s);
            if (std::fabs(frac - 0.5) < 1e-4) {
                ++halves;
                axis = c;
            } else {
                ASSERT_LT(std::min(frac, 1 - frac), 1e-4) << "vertex " << v;
            }
        }
        ASSERT_EQ(halves, 1) << "vertex " << v;
        // ...with one end inside the ball and the other outside.
        vec3 a(p[3 * v], p[3 * v + 1], p[3 * v + 2]), b = a;
        a[axis] -= 1.0f / 7;
        b[axis] += 1.0f / 7;
        ASSERT_NE(length(a) <= 0.75f, length(b) <= 0.75f) << "vertex " << v;
    }
}

TEST(IsoSurfaceTest, ChunksCoverEveryTriangleOnceInBoxesOfTheirVertices)
{
    IsoSurface whole(8, 8, 8, 1, 1, 1);
    IsoSurface chunked(8, 8, 8, 1, 1, 1);
    chunked.setChunkCells(4, 4, 4);
    Geometry* g = chunked.getGeometry();
    EXPECT_EQ(triangles(*g), triangles(*whole.getGeometry()));

    // 7 cells a side: x and y split after cell 4 (at 1/7), z from the +z end after
    // cell 3 (at -1/7). The ball's vertices reach 6/7, midway from 5/7 to 1.
    const std::vector<IsoChunk>& chunks = chunked.getChunks();
    ASSERT_EQ(chunks.size(), 8u);
    unsigned int next = 0;
    for (size_t c = 0; c < chunks.size(); ++c) {
        EXPECT_EQ(chunks[c].indices.first, next) << c;
        EXPECT_GT(chunks[c].indices.count, 0u) << c;
        next += chunks[c].indices.count;
        const bool highX = c & 1, highY = c & 2, highZ = c < 4;
        const vec3 lo(highX ? 1 / 7.0f : -6 / 7.0f, highY ? 1 / 7.0f : -6 / 7.0f, highZ ? -1 / 7.0f : -6 / 7.0f);
        const vec3 hi(highX ? 6 / 7.0f : 1 / 7.0f, highY ? 6 / 7.0f : 1 / 7.0f, highZ ? 6 / 7.0f : -1 / 7.0f);
        for (unsigned int a = 0; a < 3; ++a) {
            EXPECT_NEAR(chunks[c].lo[a], lo[a], 1e-5) << c << " " << a;
            EXPECT_NEAR(chunks[c].hi[a], hi[a], 1e-5) << c << " " << a;
        }
    }
    EXPECT_EQ(next, g->getNumIndices());
}

TEST(IsoSurfaceTest, EqualValuesGiveNothingAndTheFirstGetBuildsOnce)
{
    for (float value : {1.0f, -1.0f, 0.0f}) {
        CountingSurface flat(6, value);
        EXPECT_EQ(flat.getGeometry()->getNumVertices(), 0u) << value;
        EXPECT_EQ(flat.getGeometry()->getNumIndices(), 0u) << value;
    }

    CountingSurface ball(8, NAN);
    Geometry* first = ball.getGeometry();
    EXPECT_EQ(ball.samples, 8 * 8 * 8);
    EXPECT_EQ(ball.getGeometry(), first);
    EXPECT_EQ(ball.samples, 8 * 8 * 8);
    ball.update(0);
    EXPECT_EQ(ball.samples, 2 * 8 * 8 * 8);
}

TEST(IsoSurfaceTest, BuildStopsAtTheSixteenBitVertexLimit)
{
    CheckerSurface checker;
    testing::internal::CaptureStdout();
    Geometry* g = checker.getGeometry();
    const std::string log = testing::internal::GetCapturedStdout();
    // 39^3 cells of four triangles each would need 711,828 vertices.
    EXPECT_EQ(g->getNumVertices(), 65535u); // whole triangles only
    unsigned int highest = 0;
    for (unsigned int i = 0; i < g->getNumIndices(); ++i)
        highest = std::max<unsigned int>(highest, g->getIndices()[i]);
    EXPECT_EQ(highest, 65534u);
    EXPECT_EQ(log.find("ERROR: IsoSurface"), log.rfind("ERROR: IsoSurface"));
    EXPECT_NE(log.find("ERROR: IsoSurface"), std::string::npos);

    IsoSurface tiny(1, 0, -3, 1, 1, 1); // raised to 2 points per axis: one empty cell
    EXPECT_EQ(tiny.getGeometry()->getNumVertices(), 0u);
}

TEST(IsoTerrainModuleTest, HelicalTunnelThroughAClosedBlock)
{
    IsoTerrainModule module;
    module.setPosition(vec3(0, 0, -10));
    // On the helix (world z = -10 + p.z): always tunnel; far from it: rock; outer 5 %: open.
    for (float z : {-4.0f, 0.0f, 3.0f}) {
        const double wz = -10.0 + z;
        vec3 onHelix(static_cast<float>(0.5 * std::cos(wz)), static_cast<float>(0.5 * std::sin(wz)), z);
        EXPECT_EQ(module.findValue(onHelix), -1.0f) << z;
        vec3 opposite = vec3(-onHelix.x, -onHelix.y, z) * 1.7f; // 1.35 from the helix
        opposite.z = z;
        EXPECT_EQ(module.findValue(opposite), 1.0f) << z;
    }
    vec3 rim(0.96f, 0, 0), end(-0.9f, -0.9f, 4.8f), inside(-0.9f, -0.9f, 4.7f);
    EXPECT_EQ(module.findValue(rim), -1.0f);
    EXPECT_EQ(module.findValue(end), -1.0f);
    EXPECT_EQ(module.findValue(inside), 1.0f);

    Geometry* g = module.getGeometry();
    EXPECT_GT(g->getNumVertices(), 3000u);
    EXPECT_LT(g->getNumVertices(), IsoSurface::kMaxVertices);
    EXPECT_EQ(MeshTopology(*g).openEdges(), 0); // no gap shows the sky through the rock
}
