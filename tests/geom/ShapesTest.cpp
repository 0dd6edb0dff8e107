#include "geom/BoolShape.h"
#include "geom/Cube.h"
#include "geom/FullScreenQuad.h"
#include "geom/Plane.h"
#include "geom/Sphere.h"
#include "geom/Torus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vell;

namespace {

vec3 vec3At(const Geometry& g, const char* name, unsigned int k)
{
    const float* b = g.getAttrib(name, VEC3)->getBuffer();
    return vec3(b[3 * k], b[3 * k + 1], b[3 * k + 2]);
}

vec2 vec2At(const Geometry& g, const char* name, unsigned int k)
{
    const float* b = g.getAttrib(name, VEC2)->getBuffer();
    return vec2(b[2 * k], b[2 * k + 1]);
}

std::vector<uint16_t> indexList(const Geometry& g)
{
    return std::vector<uint16_t>(g.getIndices(), g.getIndices() + g.getNumIndices());
}

void expectVec3(const vec3& actual, float x, float y, float z)
{
    EXPECT_NEAR(actual.x, x, 1e-6f);
    EXPECT_NEAR(actual.y, y, 1e-6f);
    EXPECT_NEAR(actual.z, z, 1e-6f);
}

void expectStandardStreams(const Geometry& g)
{
    ASSERT_EQ(g.getAttribs().size(), 3u);
    EXPECT_EQ(g.getAttribs()[0]->getName(), "position");
    EXPECT_EQ(g.getAttribs()[0]->getDataType(), VEC3);
    EXPECT_EQ(g.getAttribs()[1]->getName(), "normal");
    EXPECT_EQ(g.getAttribs()[1]->getDataType(), VEC3);
    EXPECT_EQ(g.getAttribs()[2]->getName(), "texCoord0");
    EXPECT_EQ(g.getAttribs()[2]->getDataType(), VEC2);
    EXPECT_EQ(g.getPrimitiveType(), Geometry::TRIANGLES);
    EXPECT_EQ(g.getNumEdgeIndices(), 0u);
}

} // namespace

TEST(Plane, SingleQuadLayout)
{
    Plane plane(2, 2, 2, 1, 1);
    expectStandardStreams(plane);
    ASSERT_EQ(plane.getNumVertices(), 4u);
    const float positions[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    const float uvs[4][2] = {{0, 0}, {-1, 0}, {0, -1}, {-1, -1}};
    for (unsigned int k = 0; k < 4; ++k) {
        expectVec3(vec3At(plane, "position", k), positions[k][0], positions[k][1], 0);
        expectVec3(vec3At(plane, "normal", k), 0, 0, 1);
        EXPECT_EQ(vec2At(plane, "texCoord0", k).x, uvs[k][0]);
        EXPECT_EQ(vec2At(plane, "texCoord0", k).y, uvs[k][1]);
    }
    EXPECT_EQ(indexList(plane), (std::vector<uint16_t>{0, 3, 1, 0, 2, 3}));
}

TEST(Plane, AxesPlaceTheGridAndRowsRunOuter)
{
    Plane x(4, 6, 0, 2, 1);
    expectVec3(vec3At(x, "position", 1), 0, 0, -3); // row 0, column 1
    expectVec3(vec3At(x, "position", 3), 0, -2, 3); // row 1, column 0
    expectVec3(vec3At(x, "normal", 0), 1, 0, 0);
    EXPECT_EQ(indexList(x), (std::vector<uint16_t>{0, 4, 1, 0, 3, 4, 1, 5, 2, 1, 4, 5}));

    Plane y(4, 6, 1, 1, 1);
    expectVec3(vec3At(y, "position", 3), 2, 0, 3);
    expectVec3(vec3At(y, "normal", 3), 0, 1, 0);

    Plane bad(4, 6, 3, 1, 1);
    ASSERT_EQ(bad.getNumVertices(), 4u);
    expectVec3(vec3At(bad, "position", 3), 0, 0, 0);
    expectVec3(vec3At(bad, "normal", 3), 0, 0, 0);
}

TEST(Cube, UnitCubeLayout)
{
    Cube cube(1, 1, 1, 1, 1, 1, false);
    expectStandardStreams(cube);
    EXPECT_EQ(cube.getNumVertices(), 24u);
    EXPECT_EQ(cube.getNumIndices(), 36u);
    expectVec3(vec3At(cube, "position", 0), 0.5f, -0.5f, -0.5f);
    expectVec3(vec3At(cube, "normal", 0), -1, 0, 0);
    // Each face is a copy of its plane: the +x face starts at vertex 4 with indices offset by 4.
    expectVec3(vec3At(cube, "position", 4), -0.5f, -0.5f, -0.5f);
    expectVec3(vec3At(cube, "normal", 4), 1, 0, 0);
    const std::vector<uint16_t> indices = indexList(cube);
    EXPECT_EQ(std::vector<uint16_t>(indices.begin(), indices.begin() + 12),
              (std::vector<uint16_t>{0, 3, 1, 0, 2, 3, 4, 7, 5, 4, 6, 7}));
    EXPECT_EQ(indices[35], 23);
    // Last face: +z, scale (1, -1, -1).
    expectVec3(vec3At(cube, "normal", 23), 0, 0, 1);
    expectVec3(vec3At(cube, "position", 20), -0.5f, 0.5f, 0.5f);
    EXPECT_EQ(vec2At(cube, "texCoord0", 23).x, -1.0f);
}

TEST(Cube, SegmentCountsAndPositionNormals)
{
    Cube cube(2, 4, 6, 1, 2, 3, true);
    EXPECT_EQ(cube.getNumVertices(), 2u * (2 * 3 + 2 * 4 + 3 * 4));
    EXPECT_EQ(cube.getNumIndices(), 12u * (1 * 2 + 1 * 3 + 2 * 3));
    for (unsigned int k = 0; k < cube.getNumVertices(); ++k) {
        const vec3 p = vec3At(cube, "position", k);
        const vec3 n = vec3At(cube, "normal", k);
        EXPECT_EQ(p.x, n.x);
        EXPECT_EQ(p.y, n.y);
        EXPECT_EQ(p.z, n.z);
    }
}

TEST(Sphere, LayoutWithPaddedIndexList)
{
    Sphere sphere(1, 4, 2);
    expectStandardStreams(sphere);
    EXPECT_EQ(sphere.getNumVertices(), 15u);
    ASSERT_EQ(sphere.getNumIndices(), 90u);
    const std::vector<uint16_t> indices = indexList(sphere);
    EXPECT_EQ(std::vector<uint16_t>(indices.begin(), indices.begin() + 6),
              (std::vector<uint16_t>{0, 5, 6, 0, 6, 1}));
    EXPECT_EQ(indices[47], 9); // last real quad (ring 1, segment 3): 8, 13, 14, 8, 14, 9
    for (size_t t = 48; t < 90; ++t)
        EXPECT_EQ(indices[t], 0) << t;
    expectVec3(vec3At(sphere, "position", 0), 0, 1, 0);
    expectVec3(vec3At(sphere, "position", 5), 0, 0, 1);  // equator, phi 0
    expectVec3(vec3At(sphere, "position", 6), 1, 0, 0);  // equator, phi 90
    expectVec3(vec3At(sphere, "normal", 6), 1, 0, 0);
    EXPECT_FLOAT_EQ(vec2At(sphere, "texCoord0", 6).x, 0.5f);
    EXPECT_FLOAT_EQ(vec2At(sphere, "texCoord0", 6).y, 0.25f);
}

TEST(Sphere, RegenerationOverwritesStaleIndices)
{
    Sphere sphere(1, 4, 2);
    sphere.getIndices()[80] = 7;
    sphere.genSphere(2, 4, 2);
    EXPECT_EQ(sphere.getIndices()[80], 0);
    expectVec3(vec3At(sphere, "position", 0), 0, 2, 0);
}

TEST(Torus, Layout)
{
    Torus torus(1, 0.25f, 4, 4);
    expectStandardStreams(torus);
    EXPECT_EQ(torus.getNumVertices(), 25u);
    EXPECT_EQ(torus.getNumIndices(), 150u);
    expectVec3(vec3At(torus, "position", 0), 1.25f, 0, 0);
    expectVec3(vec3At(torus, "normal", 0), 1, 0, 0);
    expectVec3(vec3At(torus, "position", 1), 1, 0, 0.25f); // phi 90: top of the tube
    expectVec3(vec3At(torus, "normal", 1), 0, 0, 1);
    expectVec3(vec3At(torus, "position", 5), 0, 1.25f, 0); // ring 1, theta 90
    EXPECT_EQ(indexList(torus)[95], 19); // last real quad: ring 3, tube segment 3
}

TEST(FullScreenQuad, TwoIndependentTriangles)
{
    FullScreenQuad quad;
    ASSERT_EQ(quad.getAttribs().size(), 2u);
    ASSERT_NE(quad.getAttrib("position", VEC2), nullptr);
    ASSERT_NE(quad.getAttrib("texCoord0", VEC2), nullptr);
    EXPECT_EQ(indexList(quad), (std::vector<uint16_t>{0, 1, 2, 3, 4, 5}));
    const float positions[6][2] = {{-1, -1}, {1, 1}, {-1, 1}, {-1, -1}, {1, -1}, {1, 1}};
    for (unsigned int k = 0; k < 6; ++k) {
        EXPECT_EQ(vec2At(quad, "position", k).x, positions[k][0]);
        EXPECT_EQ(vec2At(quad, "position", k).y, positions[k][1]);
        EXPECT_EQ(vec2At(quad, "texCoord0", k).x, (positions[k][0] + 1) / 2);
        EXPECT_EQ(vec2At(quad, "texCoord0", k).y, (positions[k][1] + 1) / 2);
    }
}

TEST(Shapes, BadSegmentCountsAndOversizedGridsLeaveTheShapeEmpty)
{
    struct Case {
        const char* shape;
        Geometry* geometry;
    };
    testing::internal::CaptureStdout();
    const Case cases[] = {
        {"Plane", new Plane(1, 1, 2, 0, 3)},
        {"Plane", new Plane(1, 1, 2, -2, -2)},
        {"Plane", new Plane(1, 1, 2, 256, 256)}, // 66049 vertices
        {"Cube", new Cube(1, 1, 1, 1, 0, 1, false)},
        {"Cube", new Cube(1, 1, 1, 150, 150, 150, false)},
        {"Sphere", new Sphere(1, 0, 8)},
        {"Sphere", new Sphere(1, 300, 300)},
        {"Sphere", new Sphere(1, 0xFFFFFFFFu, 0xFFFFFFFFu)},
        {"Torus", new Torus(1, 0.5f, 8, 0)},
        {"Torus", new Torus(1, 0.5f, 65536, 1)},
    };
    const std::string log = testing::internal::GetCapturedStdout();
    for (const Case& c : cases) {
        EXPECT_EQ(c.geometry->getNumVertices(), 0u) << c.shape;
        EXPECT_EQ(c.geometry->getNumIndices(), 0u) << c.shape;
        EXPECT_EQ(c.geometry->getAttribs().size(), 3u) << c.shape;
        EXPECT_NE(log.find(std::string("ERROR: ") + c.shape + ":"), std::string::npos) << c.shape;
        delete c.geometry;
    }
    // The largest grid that fits is built.
    Plane largest(1, 1, 2, 255, 255);
    EXPECT_EQ(largest.getNumVertices(), 65536u);
    EXPECT_EQ(indexList(largest).back(), 65535);

    // A failed regeneration empties a shape that had data.
    Sphere sphere(1, 8, 8);
    testing::internal::CaptureStdout();
    sphere.genSphere(1, 8, 0);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(sphere.getNumVertices(), 0u);
    EXPECT_EQ(sphere.getNumIndices(), 0u);
}

TEST(BoolShape, AddingTwiceAppendsOffsetCopies)
{
    Plane part(2, 2, 2, 1, 1);
    BoolShape shape;
    expectStandardStreams(shape);
    EXPECT_EQ(shape.getNumVertices(), 0u);

    shape.add(&part, mat4::identityMatrix());
    shape.add(&part, mat4::translationMatrix(0, 0, 5));
    ASSERT_EQ(shape.getNumVertices(), 8u);
    ASSERT_EQ(shape.getNumIndices(), 12u);
    const std::vector<uint16_t> indices = indexList(shape);
    for (size_t t = 0; t < 6; ++t) {
        EXPECT_EQ(indices[t], part.getIndices()[t]);
        EXPECT_EQ(indices[t + 6], part.getIndices()[t] + 4);
    }
    expectVec3(vec3At(shape, "position", 5), 1, -1, 5);
    expectVec3(vec3At(shape, "normal", 5), 0, 0, 1);
    EXPECT_EQ(vec2At(shape, "texCoord0", 7).x, -1.0f);
}

TEST(BoolShape, NormalsAreCopiedUntransformedAndSelfAddWorks)
{
    Plane part(2, 2, 2, 1, 1);
    BoolShape shape;
    shape.add(&part, mat4::rotationMatrix(vec3(0, 1, 0), 90));
    expectVec3(vec3At(shape, "normal", 0), 0, 0, 1);
    expectVec3(vec3At(shape, "position", 1), 0, -1, -1); // (1, -1, 0) turned about y

    shape.add(&shape, mat4::translationMatrix(1, 0, 0));
    ASSERT_EQ(shape.getNumVertices(), 8u);
    expectVec3(vec3At(shape, "position", 5), 1, -1, -1);
    EXPECT_EQ(indexList(shape)[7], part.getIndices()[1] + 4);
}

TEST(BoolShape, RefusesPartsItCannotHold)
{
    BoolShape shape;
    FullScreenQuad quad; // vec2 positions, no normals
    Plane big(1, 1, 2, 255, 255);
    testing::internal::CaptureStdout();
    shape.add(&quad, mat4::identityMatrix());
    shape.add(&big, mat4::identityMatrix());
    shape.add(&big, mat4::identityMatrix());
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(shape.getNumVertices(), 65536u);
    EXPECT_NE(log.find("ERROR: BoolShape::add needs a part"), std::string::npos);
    EXPECT_NE(log.find("ERROR: BoolShape::add: 65536 + 65536 vertices"), std::string::npos);
}
