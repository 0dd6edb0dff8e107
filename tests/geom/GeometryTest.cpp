#include "geom/Geometry.h"

#include <gtest/gtest.h>

using vell::Geometry;

TEST(Geometry, InvertNormalsTwiceRestoresThemExactly)
{
    Geometry g;
    EXPECT_EQ(g.getPrimitiveType(), Geometry::TRIANGLES);
    EXPECT_EQ(g.getVertexStream(), &g);
    g.invertNormals(); // no normal stream yet: nothing to do

    float* normals = g.addAttrib("normal", vell::VEC3)->getBuffer();
    EXPECT_EQ(normals, nullptr);
    float* other = g.addAttrib("normal", vell::VEC4)->getBuffer();
    EXPECT_EQ(other, nullptr);
    g.setNumVertices(2);
    normals = g.getAttrib("normal", vell::VEC3)->getBuffer();
    other = g.getAttrib("normal", vell::VEC4)->getBuffer();
    const float values[6] = {0.1f, -0.7f, 3e-8f, 0.0f, 1.0f, -2.5f};
    std::copy(values, values + 6, normals);
    other[0] = 1.0f;

    g.invertNormals();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(normals[i], -values[i]);
    EXPECT_EQ(other[0], 1.0f) << "only the vec3 normal stream is touched";
    g.invertNormals();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(normals[i], values[i]);
}
