#include "geom/Geometry.h"
#include "toolkit/QuadGrid.h"

#include <gtest/gtest.h>

#include <memory>

using namespace vell;

TEST(QuadGridTest, QuadsOwnFourCornersInColumnMajorOrder)
{
    std::unique_ptr<Geometry> grid(QuadGrid::build(3, 2, 2.0f, -3.0f));
    ASSERT_NE(grid->getAttrib("normal", VEC3), nullptr);
    EXPECT_EQ(grid->getNumVertices(), 24u);
    // Quad q = column * rows + row: column 2, row 1 is quad 5, vertices 20..23.
    const float* p = grid->getAttrib("position", VEC3)->getBuffer() + 20 * 3;
    const float corners[12] = {1, 0, -2, 3, 0, -2, 3, 0, -4, 1, 0, -4};
    const uint16_t triangles[6] = {20, 21, 22, 20, 22, 23};
    const uint16_t edges[8] = {20, 21, 21, 22, 22, 23, 23, 20};
    for (int i = 0; i < 12; ++i)
        EXPECT_FLOAT_EQ(p[i], corners[i]) << i;
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(grid->getIndices()[30 + i], triangles[i]);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(grid->getEdgeIndices()[40 + i], edges[i]);
}

TEST(QuadGridTest, RefusesGridsBeyondSixteenBitIndices)
{
    std::unique_ptr<Geometry> largest(QuadGrid::build(128, 128, 1, 0));
    EXPECT_EQ(largest->getIndices()[largest->getNumIndices() - 1], 65535);
    testing::internal::CaptureStdout();
    EXPECT_EQ(QuadGrid::build(128, 129, 1, 0), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR: QuadGrid: 128 x 129 quads exceed 16-bit indices\n");
}
