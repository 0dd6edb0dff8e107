#include "graphics/RenderTexture.h"
#include "graphics/Texture2D.h"
#include "graphics/TextureCube.h"
#include "support/HeadlessGL.h"
#include "support/ScratchResources.h"
#include "support/TestQuads.h"
#include "support/TextureData.h"

#include <memory>

using namespace vell;

namespace {

// Draws texture into a render target of its size and reads the copy back.
std::vector<uint8_t> copyThroughRenderTarget(const Texture& texture)
{
    std::unique_ptr<RenderTexture> target(RenderTexture::create(texture.getWidth(), texture.getHeight(), false));
    target->begin();
    glActiveTexture(GL_TEXTURE0);
    texture.bind();
    drawBoundTexture();
    auto rgba = readBoundFramebuffer(texture.getWidth(), texture.getHeight());
    target->end();
    return rgba;
}

using TextureTest = HeadlessGLTest;

} // namespace

TEST_F(TextureTest, MissingImageGivesTheCheckerWithItsMessage)
{
    testing::internal::CaptureStdout();
    std::unique_ptr<Texture2D> checker(Texture2D::fromFile("no-such-image.png", false));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error: Failed to load Texture2D from 'no-such-image.png'\n");
    ASSERT_NE(checker, nullptr);
    EXPECT_EQ(checker->getWidth(), 256);
    EXPECT_EQ(checker->getHeight(), 256);
    EXPECT_EQ(checker->getBpp(), 24);

    const auto texels = copyThroughRenderTarget(*checker);
    EXPECT_EQ(texelAt(texels, 256, 0, 0), (Texel{0, 0, 0, 255}));
    EXPECT_EQ(texelAt(texels, 256, 16, 0), (Texel{240, 240, 240, 255}));
    EXPECT_EQ(texelAt(texels, 256, 16, 16), (Texel{0, 0, 0, 255}));
    EXPECT_EQ(texelAt(texels, 256, 255, 0), (Texel{240, 240, 240, 255}));
}

TEST_F(TextureTest, FromFileUploadsTopRowFirstAndKeepsPixelsOnRequest)
{
    ScratchResources scratch;
    std::vector<uint8_t> rgba(4 * 2 * 4);
    for (size_t i = 0; i < rgba.size(); i += 4) {
        rgba[i] = static_cast<uint8_t>(i * 8);
        rgba[i + 3] = 255;
    }
    scratch.putImage("ramp.png", 4, 2, rgba);

    std::unique_ptr<Texture2D> kept(Texture2D::fromFile("ramp.png", true));
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->getBpp(), 32);
    ASSERT_NE(kept->getPixels(), nullptr);
    EXPECT_EQ(std::vector<uint8_t>(kept->getPixels(), kept->getPixels() + rgba.size()), rgba);

    std::unique_ptr<Texture2D> dropped(Texture2D::fromFile("ramp.png", false));
    EXPECT_EQ(dropped->getPixels(), nullptr);
    const auto texels = copyThroughRenderTarget(*dropped);
    EXPECT_EQ(texelAt(texels, 4, 1, 0)[0], rgba[4]);      // top row comes first
    EXPECT_EQ(texelAt(texels, 4, 3, 1)[0], rgba[7 * 4]);
}

TEST_F(TextureTest, CreateAndCreateDepthMakeUsableTargets)
{
    std::unique_ptr<Texture2D> color(Texture2D::create(64, 32));
    std::unique_ptr<Texture2D> depth(Texture2D::createDepth(64, 32));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    GLuint fb = 0;
    glGenFramebuffers(1, &fb);
    glBindFramebuffer(GL_FRAMEBUFFER, fb);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, color->getTextureObject(), 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depth->getTextureObject(), 0);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    glBindFramebuffer(GL_FRAMEBUFFER, app->framebuffer);
    glDeleteFramebuffers(1, &fb);
}

TEST_F(TextureTest, CubeFacesLoadInOrderAndAMissingFaceBecomesAChecker)
{
    ScratchResources scratch;
    for (int i = 0; i < 6; ++i) {
        if (i == 3)
            continue; // sky_negy.png is missing
        const std::string name = std::string("sky_") + TextureCube::faceSuffixes[i] + ".png";
        std::vector<uint8_t> rgba(32 * 32 * 4, static_cast<uint8_t>(40 * (i + 1)));
        for (size_t a = 3; a < rgba.size(); a += 4)
            rgba[a] = 255;
        scratch.putImage(name, 32, 32, rgba);
    }
    testing::internal::CaptureStdout();
    std::unique_ptr<TextureCube> cube(TextureCube::fromFile("sky", "png"));
    const std::string log = testing::internal::GetCapturedStdout();
    ASSERT_NE(cube, nullptr);
    EXPECT_NE(log.find("sky_negy.png"), std::string::npos) << log;
    EXPECT_EQ(cube->getWidth(), 32);

    GLuint fb = 0;
    glGenFramebuffers(1, &fb);
    glBindFramebuffer(GL_FRAMEBUFFER, fb);
    for (int i = 0; i < 6; ++i) {
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_CUBE_MAP_POSITIVE_X + i,
                               cube->getTextureObject(), 0);
        ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
        const auto face = readBoundFramebuffer(32, 32);
        if (i == 3) {
            EXPECT_EQ(texelAt(face, 32, 0, 0), (Texel{0, 0, 0, 255}));
            EXPECT_EQ(texelAt(face, 32, 16, 0), (Texel{240, 240, 240, 255}));
        } else {
            EXPECT_EQ(texelAt(face, 32, 5, 5)[0], 40 * (i + 1)) << TextureCube::faceSuffixes[i];
        }
    }
    glBindFramebuffer(GL_FRAMEBUFFER, app->framebuffer);
    glDeleteFramebuffers(1, &fb);
}

TEST_F(TextureTest, CubeFaceNamesFollowBaseSuffixExtension)
{
    ScratchResources scratch;
    testing::internal::CaptureStdout();
    std::unique_ptr<TextureCube> cube(TextureCube::fromFile("skyPosX.png", "png"));
    const std::string log = testing::internal::GetCapturedStdout();
    size_t from = 0;
    for (const char* suffix : TextureCube::faceSuffixes) {
        const size_t found = log.find(std::string("skyPosX.png_") + suffix + ".png", from);
        ASSERT_NE(found, std::string::npos) << suffix << " missing or out of order in:\n" << log;
        from = found;
    }
}

TEST_F(TextureTest, RenderTextureViewportsAndDeletion)
{
    std::unique_ptr<RenderTexture> target(RenderTexture::create(128, 64, true));
    glViewport(3, 4, 50, 60);
    target->begin();
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ((std::array<GLint, 4>{viewport[0], viewport[1], viewport[2], viewport[3]}),
              (std::array<GLint, 4>{0, 0, 128, 64}));
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    GLint bound = 0, depthName = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                                          GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &depthName);
    target->end();
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ((std::array<GLint, 4>{viewport[0], viewport[1], viewport[2], viewport[3]}),
              (std::array<GLint, 4>{0, 0, 480, 320}));
    GLint after = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &after);
    EXPECT_EQ(static_cast<GLuint>(after), app->framebuffer);

    const GLuint texture = target->getTextureObject();
    target.reset();
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_FALSE(glIsFramebuffer(static_cast<GLuint>(bound)));
    EXPECT_FALSE(glIsRenderbuffer(static_cast<GLuint>(depthName)));
}

TEST_F(TextureTest, OnlyCreateReadsTheGLErrorRenderTargetsLeaveItPending)
{
    glEnable(0x1234); // GL_INVALID_ENUM
    delete RenderTexture::create(16, 16, true);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_ENUM));

    glEnable(0x1234);
    testing::internal::CaptureStdout();
    delete Texture2D::create(16, 16);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR: Texture2D::create error 1280\n");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
