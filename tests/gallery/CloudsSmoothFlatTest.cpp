#include "gallery/Clouds.h"
#include "gallery/SmoothFlat.h"
#include "gallery/SmoothFlat2.h"
#include "gallery/SmoothFlatShading.h"
#include "geom/Geometry.h"
#include "geom/ShapeUtils.h"
#include "graphics/Camera.h"
#include "geom/Torus.h"
#include "support/EffectHarness.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"
#include "support/ScaledFrames.h"

#include <algorithm>
#include <memory>
#include <numeric>

using namespace vell;

namespace {

// One triangle with the unit axes as normals, listed twice with its corners turned.
std::unique_ptr<Geometry> axesTriangle()
{
    auto g = std::make_unique<Geometry>();
    g->addAttrib("position", VEC3);
    g->addAttrib("normal", VEC3);
    g->setNumVertices(3);
    g->setNumIndices(6);
    const float normals[] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    std::copy(normals, normals + 9, g->getAttrib("normal", VEC3)->getBuffer());
    const uint16_t indices[] = {0, 1, 2, 2, 0, 1};
    std::copy(indices, indices + 6, g->getIndices());
    return g;
}

const float* flatNormal(Geometry& g, unsigned int k) { return g.getAttrib("flatNormal", VEC3)->getBuffer() + 3 * k; }

} // namespace

TEST(SmoothFlatUnindex, FlatNormalsPerTriangle)
{
    auto source = axesTriangle();
    std::unique_ptr<Geometry> averaged(SmoothFlatShading::unindex(*source, SmoothFlatShading::AVERAGE));
    ASSERT_EQ(averaged->getNumVertices(), 6u);
    for (unsigned int k = 0; k < 6; ++k) {
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(flatNormal(*averaged, k)[c], 0.57735027f, 1e-6f); // (1, 1, 1) / sqrt 3
        EXPECT_EQ(averaged->getIndices()[k], k);
    }
    EXPECT_EQ(averaged->getAttrib("normal", VEC3)->getBuffer()[3 * 3 + 2], 1.0f) << "vertex 3 copies source 2";

    std::unique_ptr<Geometry> first(SmoothFlatShading::unindex(*source, SmoothFlatShading::FIRST_VERTEX));
    EXPECT_EQ(flatNormal(*first, 2)[0], 1.0f);
    EXPECT_EQ(flatNormal(*first, 5)[2], 1.0f) << "the second triangle starts at source vertex 2";

    source->getIndices()[4] = 3; // names no vertex
    EXPECT_EQ(SmoothFlatShading::unindex(*source, SmoothFlatShading::AVERAGE), nullptr);
    source->getIndices()[4] = 0;
    source->setNumIndices(65537); // one vertex per index would pass 16-bit indices
    EXPECT_EQ(SmoothFlatShading::unindex(*source, SmoothFlatShading::AVERAGE), nullptr);

    Torus torus(1.0f, 0.3f, 12, 6);
    std::unique_ptr<Geometry> mesh(SmoothFlatShading::unindex(torus, SmoothFlatShading::AVERAGE));
    EXPECT_EQ(mesh->getNumVertices(), torus.getNumIndices());
    for (unsigned int k = 0; k + 2 < mesh->getNumVertices(); k += 3)
        for (int c = 0; c < 3; ++c)
            ASSERT_EQ(flatNormal(*mesh, k)[c], flatNormal(*mesh, k + 2)[c]) << "triangle " << k / 3;
}

using GalleryCloudsSmoothFlat = HeadlessGLTest;

TEST_F(GalleryCloudsSmoothFlat, CloudBlockAndSortingGolden)
{
    auto* clouds = new Clouds();
    Geometry& g = *clouds->geometry;
    ASSERT_EQ(g.getNumVertices(), 405u);
    const float* p = g.getAttrib("position", VEC3)->getBuffer();
    const float* color = g.getAttrib("color", VEC4)->getBuffer();
    for (unsigned int k = 0; k < 405; ++k) {
        EXPECT_LE(std::abs(p[3 * k]), 0.75f + 0.3f);
        EXPECT_LE(std::abs(p[3 * k + 1]), 0.375f + 0.3f);
        EXPECT_LE(std::abs(p[3 * k + 2]), 0.75f + 0.3f);
        EXPECT_GE(color[4 * k + 3], 0);
        EXPECT_LE(color[4 * k + 3], 1);
    }
    // Point (i, j, k) = (8, 4, 8) is the far corner before its jitter.
    EXPECT_NEAR(p[3 * 404], 0.75f, 0.3f);
    EXPECT_NEAR(p[3 * 404 + 1], 0.375f, 0.3f);

    EffectHarness harness(clouds);
    auto order = [&] { return std::vector<uint16_t>(g.getIndices(), g.getIndices() + 405); };
    harness.runUntil(1);
    const std::vector<uint16_t> early = order();
    harness.runUntil(2);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "Clouds-2.00"));
    std::vector<uint16_t> late = order();
    EXPECT_NE(early, late) << "re-sorted as the camera moves";
    std::sort(late.begin(), late.end());
    std::vector<uint16_t> all(405);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(late, all) << "the same points";
}

TEST_F(GalleryCloudsSmoothFlat, SmoothFlatGoldenFrames)
{
    {
        EffectHarness harness(new SmoothFlat());
        harness.runUntil(2);
        EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "SmoothFlat-2.00"));
    }
    EffectHarness harness(new SmoothFlat2());
    harness.runUntil(2);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "SmoothFlat2-2.00"));
}

// A puff 1.8 from the camera is 150 / 1.8 = 83.3 points square: 167 pixels at
// 2x, a point; 333 pixels at 4x, wider than the largest point llvmpipe draws
// (255 pixels, 63.75 points), so a quad. Its width in points, measured from the
// frame, is the same at both scales. All 405 puffs are stacked there so that
// it is the nearest and the only one.
TEST_F(GalleryCloudsSmoothFlat, NearestPuffKeepsItsSizeInPointsAtFourTimesThePixels)
{
    auto widthInPoints = [](int scale) {
        ScaleScope scope(scale);
        auto* clouds = new Clouds();
        EffectHarness harness(clouds);
        harness.runFrames(1);
        const vec3 puff = clouds->camera->getPosition() * 0.4f;
        float* p = clouds->geometry->getAttrib("position", VEC3)->getBuffer();
        for (unsigned int k = 0; k < 405; ++k)
            storeVec3(p, k, puff);
        harness.runFrames(1);
        EXPECT_EQ(clouds->needsQuads(), scale == 4);
        const std::vector<uint8_t> frame = harness.frame();
        const int w = 480 * scale, h = 320 * scale;
        int left = w, right = -1;
        for (int y = 0; y < h; ++y) {
            const uint8_t* row = frame.data() + static_cast<size_t>(y) * w * 4;
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 3; ++c)
                    if (std::abs(row[x * 4 + c] - row[c]) > 8) { // the background's gradient runs down
                        left = std::min(left, x);
                        right = std::max(right, x);
                    }
        }
        return static_cast<double>(right - left + 1) / scale;
    };
    const double two = widthInPoints(2);
    const double four = widthInPoints(4);
    EXPECT_NEAR(four, two, 1.0);
    EXPECT_GT(four, 64.0) << "no wider than the largest point";
    EXPECT_LT(four, 83.4) << "the sprite's square";
}
