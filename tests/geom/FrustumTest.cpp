#include "geom/Frustum.h"

#include <gtest/gtest.h>

using namespace vell;

TEST(FrustumTest, BoxesWhollyBeyondOnePlaneAreExcluded)
{
    // Under the identity the view volume is the cube [-1, 1]^3.
    const Frustum cube(mat4::identityMatrix());
    const struct {
        vec3 lo, hi;
        bool excluded;
    } boxes[] = {
        {vec3(-0.5f, -0.5f, -0.5f), vec3(0.5f, 0.5f, 0.5f), false},
        {vec3(0.5f, -3, -3), vec3(3, 3, 3), false},       // reaches in
        {vec3(1, 0, 0), vec3(2, 1, 1), false},            // touches x = 1
        {vec3(1.0001f, 0, 0), vec3(2, 1, 1), false},      // within the margin
        {vec3(1.001f, 0, 0), vec3(2, 1, 1), true},        // beyond it
        {vec3(-3, -3, -3), vec3(-1.01f, 3, 3), true},     // left of x = -1
        {vec3(0, 1.01f, 0), vec3(0, 2, 0), true},         // above
        {vec3(0, 0, -2), vec3(0, 0, -1.01f), true},       // before the near plane
        {vec3(0, 0, 1.01f), vec3(0, 0, 2), true},         // past the far plane
        {vec3(2, 2, 0), vec3(3, 3, 0), true},             // beyond two planes
    };
    for (const auto& box : boxes)
        EXPECT_EQ(cube.excludes(box.lo, box.hi), box.excluded) << box.lo.x << " " << box.lo.y << " " << box.lo.z;

    // A unit box at the origin of a mesh placed at (3, 0, 0) lies at x 2.5 .. 3.5.
    EXPECT_TRUE(cube.shifted(vec3(3, 0, 0)).excludes(vec3(-0.5f, -0.5f, -0.5f), vec3(0.5f, 0.5f, 0.5f)));
    EXPECT_FALSE(cube.shifted(vec3(1.4f, 0, 0)).excludes(vec3(-0.5f, -0.5f, -0.5f), vec3(0.5f, 0.5f, 0.5f)));
}

TEST(FrustumTest, PerspectiveAndAWindowRectangle)
{
    // 90 degrees, square, near 1 far 10: in front, -z >= 1, with |x|, |y| <= -z.
    const Frustum view(mat4::perspectiveMatrix(90, 1, 1, 10));
    EXPECT_FALSE(view.excludes(vec3(-1, -1, -5), vec3(1, 1, -4)));
    EXPECT_TRUE(view.excludes(vec3(-1, -1, 0.5f), vec3(1, 1, 2)));    // behind the eye
    EXPECT_TRUE(view.excludes(vec3(-1, -1, -0.9f), vec3(1, 1, -0.5f))); // nearer than the near plane
    EXPECT_TRUE(view.excludes(vec3(5, -1, -4.5f), vec3(6, 1, -4)));     // x > -z: right of the view
    EXPECT_TRUE(view.excludes(vec3(-1, -1, -12), vec3(1, 1, -11)));     // past the far plane

    // The left half of a 480 x 320 window, and one pixel more: x up to 241 px,
    // ndc 2 * 241 / 480 - 1 = 0.0041667 under the identity.
    const int leftHalf[4] = {0, 0, 240, 320};
    const Frustum left(mat4::identityMatrix(), leftHalf, 480, 320);
    EXPECT_FALSE(left.excludes(vec3(0.004f, 0, 0), vec3(0.5f, 0.5f, 0)));
    EXPECT_TRUE(left.excludes(vec3(0.005f, 0, 0), vec3(0.5f, 0.5f, 0)));
    EXPECT_FALSE(left.excludes(vec3(-1, -1, 0), vec3(-0.9f, 1, 0)));
    // A window of no size narrows nothing.
    const Frustum unsized(mat4::identityMatrix(), leftHalf, 0, 0);
    EXPECT_FALSE(unsized.excludes(vec3(0.5f, 0, 0), vec3(0.9f, 0, 0)));
}
