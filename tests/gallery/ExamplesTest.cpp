#include "gallery/ExampleLighting.h"
#include "gallery/ExampleRenderToCubeMap.h"
#include "gallery/ExampleTexturing.h"
#include "gallery/RenderCubeMap.h"
#include "geom/Sphere.h"
#include "graphics/Shader.h"
#include "support/EffectHarness.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"
#include "support/TextureData.h"

using namespace vell;

using GalleryExamples = HeadlessGLTest;

TEST_F(GalleryExamples, GoldenFrames)
{
    {
        EffectHarness harness(new ExampleLighting());
        harness.runUntil(2);
        EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "ExampleLighting-2.00"));
    }
    {
        EffectHarness harness(new ExampleRenderToCubeMap());
        harness.runUntil(2);
        EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "ExampleRenderToCubeMap-2.00"));
    }
    auto* texturing = new ExampleTexturing();
    EffectHarness harness(texturing);
    texturing->onMouseMove(40, 300, 1); // tilted 45 degrees back, turned a little
    harness.runUntil(2);
    // Cube mapping first, then after a two-finger tap each the checker and the sphere map.
    for (const char* name : {"ExampleTexturingCube", "ExampleTexturingBasic", "ExampleTexturingSEM"}) {
        EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, name));
        texturing->onMouseDown(10, 10, 2);
        harness.runFrames(1);
    }
}

TEST_F(GalleryExamples, TexturingTouches)
{
    ExampleTexturing texturing;
    texturing.draw();
    ASSERT_TRUE(texturing.shader && texturing.texture);
    texturing.onMouseDown(0, 0, 1); // one finger: no change
    EXPECT_EQ(texturing.mode, ExampleTexturing::CUBE_MAP);
    for (int expected : {0, 1, 2}) {
        texturing.onMouseDown(0, 0, 2);
        EXPECT_EQ(texturing.mode, expected);
        EXPECT_FALSE(texturing.shader || texturing.texture) << "mode " << expected << " keeps the old resources";
        texturing.draw();
        EXPECT_TRUE(texturing.shader && texturing.shader->isValid() && texturing.texture) << "mode " << expected;
    }
    // y over 480, x over 320 with an integer division first.
    texturing.onMouseMove(100, 120, 1);
    EXPECT_FLOAT_EQ(texturing.rotationX, 180.0f);
    EXPECT_FLOAT_EQ(texturing.rotationY, 112.0f);
}

// A marker drawn through each face's camera must land where a cube-map lookup
// in its direction reads: the GL face layout (s, t), with t = 0 in the first row.
TEST_F(GalleryExamples, CubeFacesFollowTheCubeMapLayout)
{
    GLint before = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &before);
    RenderCubeMap cube;
    std::unique_ptr<Shader> flat(Shader::fromFile("BasicColor.glsl", false));
    Sphere marker(0.6f, 8, 8);
    struct Case {
        int face;
        vec3 direction;
        bool firstRowsHalf; // t < 0.5
        bool leftHalf;      // s < 0.5
    };
    // +x: s follows -z, t follows -y. -y: s follows +x, t follows -z. +z: s follows +x, t follows -y.
    const Case cases[] = {{0, vec3(1, 0.5f, 0.5f), true, true},
                          {3, vec3(0.5f, -1, -0.5f), false, false},
                          {4, vec3(-0.5f, -0.5f, 1), false, true}};
    for (const Case& c : cases) {
        ASSERT_TRUE(cube.begin(c.face));
        flat->bind();
        flat->set("projectionMatrix", cube.getCamera()->getProjectionMatrix());
        flat->set("modelViewMatrix", cube.getCamera()->getViewMatrix() *
                                         mat4::translationMatrix(c.direction.x * 4, c.direction.y * 4, c.direction.z * 4));
        flat->set("color", vec4(1, 1, 1, 1));
        marker.render(flat.get());
        const std::vector<uint8_t> face = readBoundFramebuffer(128, 128);
        cube.end();
        int sumX = 0, sumY = 0, count = 0;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                if (texelAt(face, 128, x, y)[1] > 200) { // white, not the red clear colour
                    sumX += x;
                    sumY += y;
                    ++count;
                }
        ASSERT_GT(count, 0) << "face " << c.face;
        EXPECT_EQ(sumY / count < 64, c.firstRowsHalf) << "face " << c.face;
        EXPECT_EQ(sumX / count < 64, c.leftHalf) << "face " << c.face;
        EXPECT_EQ(texelAt(face, 128, 0, 0), (Texel{255, 0, 0, 255})) << "cleared to red";
    }

    // begin(3): from the origin towards -y, up -z, 120 degrees; the target is made once.
    const GLuint texture = cube.getTextureObject();
    cube.begin(3);
    EXPECT_EQ(cube.getTextureObject(), texture);
    const Camera& camera = *cube.getCamera();
    EXPECT_EQ(camera.target.y, -1.0f);
    EXPECT_EQ(camera.up.z, -1.0f);
    EXPECT_EQ(camera.fov, 120.0f);
    glViewport(0, 0, 10, 10);
    cube.end();
    GLint bound = 0, viewport[4] = {};
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(bound, before);
    EXPECT_EQ(viewport[2], 480);
    EXPECT_EQ(viewport[3], 320);
    EXPECT_FALSE(cube.begin(6)) << "there are six faces";
    cube.end();
}

// Whatever framebuffer the frame draws into gets the on-screen pass; this one
// is made last, so it never has the first name.
TEST_F(GalleryExamples, RenderToCubeMapDrawsIntoTheBoundFramebuffer)
{
    testing::internal::CaptureStdout();
    ExampleRenderToCubeMap example;
    EXPECT_NE(testing::internal::GetCapturedStdout().find("framebuffer ok"), std::string::npos);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "RGBA faces are valid ES 2.0";

    GLuint screen = 0, buffers[2] = {};
    glGenFramebuffers(1, &screen);
    glGenRenderbuffers(2, buffers);
    glBindFramebuffer(GL_FRAMEBUFFER, screen);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA4, 480, 320);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
    glBindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, 480, 320);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, buffers[1]);
    example.draw();
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(bound, static_cast<GLint>(screen));
    const Texel centre = texelAt(readBoundFramebuffer(480, 320), 480, 240, 160);
    EXPECT_GT(centre[0] + centre[1] + centre[2], 60) << "the mirror torus is on screen";
    glBindFramebuffer(GL_FRAMEBUFFER, app->framebuffer);
    glDeleteFramebuffers(1, &screen);
    glDeleteRenderbuffers(2, buffers);
}
