#include "toolkit/GeometryBuilder.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using vell::Geometry;
using vell::vec2;
using vell::vec3;

namespace {

std::vector<float> floats(const Geometry& g, const char* name, vell::DataType type)
{
    const vell::VertexAttrib* attrib = g.getAttrib(name, type);
    const float* b = attrib->getBuffer();
    return std::vector<float>(b, b + attrib->getNumVertices() * attrib->getSize());
}

std::vector<uint16_t> indexList(const Geometry& g)
{
    return std::vector<uint16_t>(g.getIndices(), g.getIndices() + g.getNumIndices());
}

} // namespace

TEST(GeometryBuilder, PositionsOnlyTriangle)
{
    GeometryBuilder builder;
    builder.add("position", vec3(0, 0, 0));
    builder.add("position", vec3(1, 0, 0));
    builder.add("position", vec3(0, 1, 0));
    builder.add("color", vec3(1, 1, 1));  // unknown vec3 name
    builder.add("position", vec2(5, 5)); // vec2 under any name but texCoord0
    builder.addTriangle(0, 1, 2);
    builder.addEdge(0, 1);

    std::unique_ptr<Geometry> g(builder.build(Geometry::TRIANGLES));
    ASSERT_EQ(g->getAttribs().size(), 1u);
    EXPECT_EQ(g->getAttribs()[0]->getName(), "position");
    EXPECT_EQ(g->getNumVertices(), 3u);
    EXPECT_EQ(floats(*g, "position", vell::VEC3), (std::vector<float>{0, 0, 0, 1, 0, 0, 0, 1, 0}));
    EXPECT_EQ(indexList(*g), (std::vector<uint16_t>{0, 1, 2}));
    EXPECT_EQ(g->getNumEdgeIndices(), 2u);
    EXPECT_EQ(g->getPrimitiveType(), Geometry::TRIANGLES);
}

TEST(GeometryBuilder, IndicesKeepTheirLow16Bits)
{
    GeometryBuilder builder;
    builder.addPoint(65537);
    builder.addLine(-1, 65536);
    builder.addEdge(70000, 3);
    EXPECT_EQ(builder.getNumIndices(), 3u);
    std::unique_ptr<Geometry> g(builder.build(Geometry::POINTS));
    EXPECT_EQ(indexList(*g), (std::vector<uint16_t>{1, 65535, 0}));
    EXPECT_EQ(g->getEdgeIndices()[0], 70000 - 65536);
    EXPECT_EQ(g->getPrimitiveType(), Geometry::POINTS);
}

TEST(GeometryBuilder, OptionalStreamsInOrderAndShortListsZeroFill)
{
    GeometryBuilder builder;
    for (int i = 0; i < 3; ++i) {
        builder.add("position", vec3(static_cast<float>(i), 0, 0));
        builder.add("texCoord0", vec2(static_cast<float>(i), 1));
    }
    builder.add("normal2", vec3(0, 0, 1)); // one entry for three vertices
    builder.add("normal", vec3(1, 0, 0));
    builder.add("normal", vec3(2, 0, 0));
    builder.add("normal", vec3(3, 0, 0));
    builder.add("normal", vec3(4, 0, 0)); // beyond the positions: ignored

    std::unique_ptr<Geometry> g(builder.build(Geometry::LINES));
    ASSERT_EQ(g->getAttribs().size(), 4u);
    EXPECT_EQ(g->getAttribs()[1]->getName(), "normal");
    EXPECT_EQ(g->getAttribs()[2]->getName(), "normal2");
    EXPECT_EQ(g->getAttribs()[3]->getName(), "texCoord0");
    EXPECT_EQ(floats(*g, "normal", vell::VEC3), (std::vector<float>{1, 0, 0, 2, 0, 0, 3, 0, 0}));
    EXPECT_EQ(floats(*g, "normal2", vell::VEC3), (std::vector<float>{0, 0, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(floats(*g, "texCoord0", vell::VEC2), (std::vector<float>{0, 1, 1, 1, 2, 1}));
}

TEST(GeometryBuilder, BuildTwiceGivesIndependentCopies)
{
    GeometryBuilder builder;
    builder.add("position", vec3(1, 2, 3));
    builder.addPoint(0);
    std::unique_ptr<Geometry> first(builder.build(Geometry::POINTS));
    std::unique_ptr<Geometry> second(builder.build(Geometry::POINTS));
    ASSERT_NE(first.get(), second.get());
    EXPECT_EQ(floats(*first, "position", vell::VEC3), floats(*second, "position", vell::VEC3));
    first->getAttrib("position", vell::VEC3)->getBuffer()[0] = 9;
    EXPECT_EQ(floats(*second, "position", vell::VEC3)[0], 1.0f);
    EXPECT_EQ(indexList(*second), indexList(*first));
}

TEST(GeometryBuilder, RefillingAGeometryKeepsForeignStreams)
{
    Geometry target;
    target.addAttrib("color", vell::VEC4);
    GeometryBuilder builder;
    builder.add("position", vec3(1, 0, 0));
    builder.add("normal", vec3(0, 1, 0));
    builder.addPoint(0);
    ASSERT_EQ(builder.build(Geometry::POINTS, &target), &target);
    target.getAttrib("color", vell::VEC4)->getBuffer()[0] = 0.5f;

    builder.reset();
    EXPECT_EQ(builder.getNumIndices(), 0u);
    builder.add("position", vec3(1, 0, 0));
    builder.add("position", vec3(2, 0, 0));
    builder.addLine(0, 1);
    builder.build(Geometry::LINES, &target);

    EXPECT_EQ(target.getNumVertices(), 2u);
    EXPECT_EQ(target.getPrimitiveType(), Geometry::LINES);
    EXPECT_EQ(floats(target, "color", vell::VEC4), (std::vector<float>{0.5f, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(floats(target, "normal", vell::VEC3), (std::vector<float>{0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(indexList(target), (std::vector<uint16_t>{0, 1}));
}
