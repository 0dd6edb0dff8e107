#include "graphics/Overlay.h"
#include "support/HeadlessGL.h"
#include "support/ScratchResources.h"
#include "support/TextureData.h"

using namespace vell;

namespace {

using OverlayTest = HeadlessGLTest;

// 1x2 texture: red on the first row, blue on the second.
std::unique_ptr<Texture2D> twoRows()
{
    return makeTexture(1, 2, {255, 0, 0, 255, 0, 0, 255, 255});
}

} // namespace

TEST_F(OverlayTest, CoversTheViewportAndRestoresDepthState)
{
    Overlay overlay;
    auto texture = twoRows();
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    overlay.render(texture.get(), false);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLboolean writes = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &writes);
    EXPECT_TRUE(writes);

    const auto frame = readFrame(); // top row first
    EXPECT_EQ(pixel(frame, 240, 300), (std::array<uint8_t, 4>{255, 0, 0, 255})) << "texture row 0 at the bottom";
    EXPECT_EQ(pixel(frame, 240, 20), (std::array<uint8_t, 4>{0, 0, 255, 255}));
}

TEST_F(OverlayTest, InvertFlipsVerticallyAndColorTints)
{
    Overlay overlay;
    auto texture = twoRows();
    overlay.color = vec4(0.5f, 1, 1, 1);
    overlay.render(texture.get(), true);

    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    GLfloat invertT = 0;
    glGetUniformfv(static_cast<GLuint>(program), glGetUniformLocation(static_cast<GLuint>(program), "invertT"), &invertT);
    EXPECT_EQ(invertT, -1.0f);

    const auto frame = readFrame();
    EXPECT_EQ(pixel(frame, 240, 20)[0], 128) << "red row on top, halved by the tint";
    EXPECT_EQ(pixel(frame, 240, 300), (std::array<uint8_t, 4>{0, 0, 255, 255}));
}

TEST_F(OverlayTest, MissingShaderDrawsNothingButStillRestoresDepthState)
{
    ScratchResources empty;
    testing::internal::CaptureStdout();
    Overlay overlay;
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("Overlay.glsl"), std::string::npos) << log;
    auto texture = twoRows();
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    overlay.render(texture.get(), false);
    EXPECT_EQ(pixel(readFrame(), 240, 160), (std::array<uint8_t, 4>{0, 0, 0, 0}));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLboolean writes = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &writes);
    EXPECT_TRUE(writes);
}
