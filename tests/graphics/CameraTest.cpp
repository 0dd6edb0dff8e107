#include "graphics/Camera.h"

#include "geom/Geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace vell;

namespace {

// A mesh whose vertex i sits at (x[i], 0, 0).
void setPositions(Geometry& g, const std::vector<float>& x)
{
    g.setNumVertices((unsigned int)x.size());
    float* p = g.addAttrib("position", VEC3)->getBuffer();
    for (size_t i = 0; i < x.size(); ++i)
        p[3 * i] = x[i];
}

void setIndices(Geometry& g, const std::vector<uint16_t>& indices)
{
    g.setNumIndices((unsigned int)indices.size());
    std::copy(indices.begin(), indices.end(), g.getIndices());
}

std::vector<uint16_t> indicesOf(Geometry& g)
{
    return std::vector<uint16_t>(g.getIndices(), g.getIndices() + g.getNumIndices());
}

} // namespace

TEST(Camera, DefaultsAndSettersKeepMatricesCurrent)
{
    Camera camera;
    const vec3 origin = camera.getViewMatrix() * vec3(0, 0, 0);
    EXPECT_NEAR(origin.x, 0.0f, 1e-6f);
    EXPECT_NEAR(origin.z, -10.0f, 1e-6f);

    const mat4 view = camera.getViewMatrix();
    camera.setFov(90);
    EXPECT_NEAR(camera.getProjectionMatrix()[1][1], 1.0f, 1e-6f);
    EXPECT_NEAR(camera.getProjectionMatrix()[0][0], 1.0f / 0.75f, 1e-6f);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(camera.getViewMatrix().ptr()[i], view.ptr()[i]);

    camera.setPosition(vec3(0, 0, 4));
    camera.setTarget(vec3(0, 0, 1));
    EXPECT_NEAR((camera.getViewMatrix() * vec3(0, 0, 0)).z, -4.0f, 1e-6f);
}

TEST(Camera, SortsPointsFarthestFirst)
{
    Camera camera; // at (10, 0, 0)
    Geometry points;
    points.setPrimitiveType(Geometry::POINTS);
    setPositions(points, {9, 6, 8, 7}); // distances 1, 4, 2, 3
    setIndices(points, {3, 3, 0, 1});   // the current order does not matter
    camera.sortGeometryPrimitives(&points, mat4::identityMatrix());
    EXPECT_EQ(indicesOf(points), (std::vector<uint16_t>{1, 3, 2, 0}));

    // The model matrix places the points: moved past the camera, the order flips.
    camera.sortGeometryPrimitives(&points, mat4::translationMatrix(6, 0, 0));
    EXPECT_EQ(indicesOf(points), (std::vector<uint16_t>{0, 2, 3, 1}));
}

TEST(Camera, SortsWholeTrianglesAndKeepsTrailingIndices)
{
    Camera camera;
    Geometry mesh;
    // Centres are 0.3 x the corner sum: x = 0.9, 9 and 9.45, so 9.1, 1 and 0.55
    // from the camera (a true centroid would put the last two the other way round).
    setPositions(mesh, {1, 1, 1, 10, 10, 10, 10.5f, 10.5f, 10.5f});
    setIndices(mesh, {6, 7, 8, 0, 1, 2, 3, 4, 5, 8, 4});
    camera.sortGeometryPrimitives(&mesh, mat4::identityMatrix());
    EXPECT_EQ(indicesOf(mesh), (std::vector<uint16_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 8, 4}));
}

TEST(Camera, RefusesMeshesItCannotSort)
{
    Camera camera;
    Geometry lines;
    lines.setPrimitiveType(Geometry::LINES);
    setPositions(lines, {9, 6, 8, 7});
    setIndices(lines, {0, 1, 2, 3});
    testing::internal::CaptureStdout();
    camera.sortGeometryPrimitives(&lines, mat4::identityMatrix());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR: Camera::sortGeometryPrimitives supports only points sprites right now\n");
    EXPECT_EQ(indicesOf(lines), (std::vector<uint16_t>{0, 1, 2, 3}));

    // Indices past the vertices, or no positions at all: logged, nothing read or changed.
    Geometry badTriangles;
    setPositions(badTriangles, {9, 6, 8});
    setIndices(badTriangles, {0, 1, 2, 0, 1, 7});
    Geometry tooManyPoints;
    tooManyPoints.setPrimitiveType(Geometry::POINTS);
    setPositions(tooManyPoints, {9, 6});
    setIndices(tooManyPoints, {0, 1, 1});
    Geometry noPositions;
    noPositions.setNumVertices(3);
    setIndices(noPositions, {2, 1, 0});

    testing::internal::CaptureStdout();
    for (Geometry* g : {&badTriangles, &tooManyPoints, &noPositions})
        camera.sortGeometryPrimitives(g, mat4::identityMatrix());
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 3);
    EXPECT_EQ(indicesOf(badTriangles), (std::vector<uint16_t>{0, 1, 2, 0, 1, 7}));
    EXPECT_EQ(indicesOf(tooManyPoints), (std::vector<uint16_t>{0, 1, 1}));
    EXPECT_EQ(indicesOf(noPositions), (std::vector<uint16_t>{2, 1, 0}));
}
