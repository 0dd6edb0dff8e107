#include "geom/Geometry.h"
#include "graphics/Shader.h"
#include "support/HeadlessGL.h"
#include "toolkit/FrustumRuns.h"
#include "toolkit/GeometryBuilder.h"

#include <GLES2/gl2.h>

#include <memory>
#include <vector>

using namespace vell;
using FrustumRunsTest = HeadlessGLTest;

// The logo's points at eight times the pixels, seen from the origin down -z:
// one at depth 40, lifted 0.06 towards the eye by the shader, is 12 pixels
// across, and the 0.1 allowed for the lift is under 1.5 pixels. Centres 100
// and 4 pixels left of the frame (the second's edge reaches in), then two in
// the middle, a run each.
TEST_F(FrustumRunsTest, PointsLeftOutOnlyWhenNoPartOfThemCanShow)
{
    std::unique_ptr<Shader> shader(Shader::fromFile("SorvLogo4Particle.glsl", false));
    ASSERT_TRUE(shader && shader->isValid());
    const mat4 projection = mat4::perspectiveMatrix(60, 1.5f, 0.1f, 100);
    GeometryBuilder builder;
    int n = 0;
    for (const float x : {-100.0f, -4.0f, 240.0f, 260.0f}) {
        builder.add("position", vec3((x / 240 - 1) * 39.94f / projection[0][0], 0, -40));
        builder.add("normal", vec3(0, 0, 1));
        builder.add("normal2", vec3(0, 0, 1));
        builder.addPoint(n++);
    }
    std::unique_ptr<Geometry> points(builder.build(Geometry::POINTS));
    FrustumRuns runs(*points, 1, 0.1f);
    ASSERT_EQ(runs.getRuns(), 4u);

    const auto draw = [&](float pointSize, bool all) {
        glClear(GL_COLOR_BUFFER_BIT);
        shader->bind();
        shader->set("projectionMatrix", projection);
        shader->set("modelViewMatrix", mat4::identityMatrix());
        shader->set("contentScale", 8.0f);
        if (all)
            points->render(shader.get());
        else
            runs.draw(shader.get(), projection, 480, 320, pointSize);
        return readFrame();
    };
    const std::vector<uint8_t> all = draw(0, true);
    EXPECT_EQ(draw(40, false), all); // the shader's largest point, 5, eight times
    EXPECT_EQ(runs.getDrawnRuns(), 3u);
    EXPECT_GT(pixel(all, 0, 160)[0], 0) << "the edge of the point just outside";
    // Without room for the points' size, the one just outside is lost.
    EXPECT_NE(draw(0, false), all);
    EXPECT_EQ(runs.getDrawnRuns(), 2u);
}
