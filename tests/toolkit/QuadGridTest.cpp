#include "geom/Geometry.h"
#include "toolkit/QuadGrid.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace vell;

TEST(QuadGridTest, QuadsOwnFourCornersInColumnMajorOrder)
{
    std::unique_ptr<Geometry> grid(QuadGrid::build(3, 2, 2.0f, -3.0f));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->getNumVertices(), 24u);
    EXPECT_EQ(grid->getNumIndices(), 36u);
    EXPECT_EQ(grid->getNumEdgeIndices(), 48u);
    EXPECT_EQ(grid->getPrimitiveType(), Geometry::TRIANGLES);
    ASSERT_NE(grid->getAttrib("normal", VEC3), nullptr);

    // Quad q = column * rows + row: column 2, row 1 is quad 5, vertices 20..23.
    const float* p = grid->getAttrib("position", VEC3)->getBuffer() + 20 * 3;
    const float expected[12] = {1, 0, -2, 3, 0, -2, 3, 0, -4, 1, 0, -4};
    for (int i = 0; i < 12; ++i)
        EXPECT_FLOAT_EQ(p[i], expected[i]) << i;
    const uint16_t* tri = grid->getIndices() + 5 * 6;
    const uint16_t* edge = grid->getEdgeIndices() + 5 * 8;
    const uint16_t triangles[6] = {20, 21, 22, 20, 22, 23};
    const uint16_t edges[8] = {20, 21, 21, 22, 22, 23, 23, 20};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(tri[i], triangles[i]);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(edge[i], edges[i]);
}

TEST(QuadGridTest, RefusesGridsBeyondSixteenBitIndices)
{
    std::unique_ptr<Geometry> largest(QuadGrid::build(128, 128, 1, 0));
    ASSERT_NE(largest, nullptr);
    EXPECT_EQ(largest->getIndices()[largest->getNumIndices() - 1], 65535);

    testing::internal::CaptureStdout();
    EXPECT_EQ(QuadGrid::build(128, 129, 1, 0), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR: QuadGrid: 128 x 129 quads exceed 16-bit indices\n");
}

TEST(QuadGridTest, WriteQuadStoresCornersAndTheirUnnormalisedFaceNormal)
{
    float positions[2 * 4 * 3] = {};
    float normals[2 * 4 * 3] = {};
    const vec3 corners[4] = {vec3(0, 0, 0), vec3(2, 1, 0), vec3(2, 1, -3), vec3(0, 0, -3)};
    QuadGrid::writeQuad(positions, normals, 1, corners);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(positions[i], 0.0f);
        EXPECT_EQ(normals[i], 0.0f);
    }
    for (int n = 0; n < 4; ++n) {
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(positions[12 + n * 3 + c], corners[n][c]);
        // (2, 1, 0) x (2, 1, -3)
        EXPECT_FLOAT_EQ(normals[12 + n * 3 + 0], -3);
        EXPECT_FLOAT_EQ(normals[12 + n * 3 + 1], 6);
        EXPECT_FLOAT_EQ(normals[12 + n * 3 + 2], 0);
    }
}
