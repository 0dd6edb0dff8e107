#include "gallery/LutDistort.h"
#include "gallery/PointSprites.h"
#include "geom/Geometry.h"
#include "graphics/Shader.h"
#include "support/EffectHarness.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"
#include "support/ScratchResources.h"

#include <string>

using namespace vell;

using GalleryLutPointSprites = HeadlessGLTest;

namespace {

int occurrences(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

const float* stream(Geometry& g, const char* name, DataType type) { return g.getAttrib(name, type)->getBuffer(); }

} // namespace

TEST_F(GalleryLutPointSprites, LutDistortGoldenPerMode)
{
    auto* lut = new LutDistort();
    EffectHarness harness(lut);
    harness.runUntil(2);
    for (int tap = 0; tap < 9; ++tap) {
        EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "LutDistortMode" + std::to_string(lut->mode)));
        lut->onMouseDown(0, 0, 1);
        harness.runFrames(1);
    }
    EXPECT_EQ(lut->mode, 8) << "nine taps come round";
    lut->onMouseMove(120, 100, 1); // a quarter of the way across: a quarter look-up
    harness.runFrames(1);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "LutDistortCrossFade"));
}

TEST_F(GalleryLutPointSprites, LutDistortTexturesAndCrossFade)
{
    LutDistort lut;
    for (int mode = 0; mode < 9; ++mode) {
        const Texture2D* expected = mode == 1 ? lut.texture2.get()
                                  : mode == 2 ? lut.texture1.get()
                                  : mode == 8 ? lut.texture3.get()
                                              : lut.texture0.get();
        EXPECT_EQ(lut.textureFor(mode), expected) << "mode " << mode;
    }
    testing::internal::CaptureStdout();
    lut.onMouseMove(240, 17, 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "0.500000\n");
    EXPECT_FLOAT_EQ(lut.crossFade, 0.5f);
}

// Without its shader source it says so once and leaves only the green clear.
TEST_F(GalleryLutPointSprites, LutDistortWithoutItsShaderDrawsNothing)
{
    ScratchResources empty;
    testing::internal::CaptureStdout();
    LutDistort lut;
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(occurrences(log, "lutDistort.glsl"), 1) << log;
    EXPECT_FALSE(lut.shader->isValid());
    lut.draw();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const auto centre = pixel(readFrame(), 240, 160);
    EXPECT_EQ(centre[0], 0);
    EXPECT_EQ(centre[1], 255);
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
}

TEST_F(GalleryLutPointSprites, PointSpritesGolden)
{
    auto* sprites = new PointSprites();
    EffectHarness harness(sprites);
    harness.runFrames(1);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "PointSpritesFirst"));
    sprites->onMouseDown(100, 100, 1);
    harness.runFrames(38); // phase near 2 pi: half-way, the burst at its widest
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "PointSpritesBurst"));
    sprites->state = 2; // at rest on the second picture
    sprites->phase = PointSprites::restB;
    sprites->onMouseMove(100, 60, 2); // tilted: its relief shows
    harness.runFrames(1);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "PointSpritesSecondTilted"));
    GLint dst = 0;
    glGetIntegerv(GL_BLEND_DST_RGB, &dst);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(dst, GL_ONE) << "additive blending is left set";
}

TEST_F(GalleryLutPointSprites, PointSpritesTapsAndTilt)
{
    ScratchResources scratch; // no pictures: flat, and no shader needed here
    PointSprites sprites;
    sprites.onMouseDown(0, 0, 2);
    EXPECT_EQ(sprites.state, 0) << "a two-finger tap is not a tap";
    sprites.onMouseDown(0, 0, 1);
    EXPECT_EQ(sprites.state, 1);
    sprites.advancePhase(1.0f); // pi + 5: still rising
    sprites.onMouseDown(0, 0, 1);
    EXPECT_EQ(sprites.state, 1) << "taps during a transition are ignored";
    EXPECT_FLOAT_EQ(sprites.phase, 3.1415927f + 5);
    sprites.advancePhase(0.3f); // past 3 pi: rests there
    EXPECT_EQ(sprites.state, 2);
    EXPECT_FLOAT_EQ(sprites.phase, 9.424778f);
    sprites.onMouseDown(0, 0, 1);
    sprites.advancePhase(0.5f);
    sprites.onMouseDown(0, 0, 1);
    EXPECT_EQ(sprites.state, 3);
    sprites.advancePhase(2.0f);
    EXPECT_EQ(sprites.state, 0);
    EXPECT_FLOAT_EQ(sprites.phase, 15.707963f);

    sprites.onMouseMove(0, 160, 2);
    EXPECT_FLOAT_EQ(sprites.tilt, 0);
    sprites.onMouseMove(0, 0, 2);
    EXPECT_FLOAT_EQ(sprites.tilt, -90);
    sprites.onMouseMove(0, 320, 1);
    EXPECT_FLOAT_EQ(sprites.tilt, -90) << "one finger does not tilt";
}

// Depth from the kept pixels: backwards by the first picture's brightness,
// forwards by the second's, which is read only where it has pixels.
TEST_F(GalleryLutPointSprites, PointSpritesSampleKeptPixels)
{
    ScratchResources scratch;
    std::vector<uint8_t> a(256 * 256 * 4, 0);
    for (size_t i = 3; i < a.size(); i += 4)
        a[i] = 255;
    a[4] = 30, a[5] = 60, a[6] = 90;         // pixel (1, 0): brightness 60
    a[256 * 4 + 2] = 255;                    // pixel (0, 1): brightness 85
    scratch.putImage("kingfisher256x256.jpg", 256, 256, a);
    scratch.putImage("marrowby256x256.jpg", 2, 2, {255, 0, 0, 255, 3, 3, 3, 255, 0, 0, 0, 255, 0, 0, 0, 255});
    PointSprites sprites;
    Geometry& g = *sprites.particles;
    ASSERT_EQ(g.getNumVertices(), 65536u);
    const float* p = stream(g, "position", VEC3);
    const float* p2 = stream(g, "position2", VEC3);
    EXPECT_FLOAT_EQ(p[0], -3.2f); // pixel (0, 0) of a 256-wide picture: 80 pixels a unit
    EXPECT_FLOAT_EQ(p[1], 3.2f);
    EXPECT_FLOAT_EQ(p[2], 0);
    EXPECT_FLOAT_EQ(p[3 + 2], -0.140625f);        // 60 x -0.6 / 256
    EXPECT_FLOAT_EQ(p[3 * 256 + 2], -0.19921875f); // 85 x -0.6 / 256
    EXPECT_FLOAT_EQ(p[3 * 256 + 1], 3.175f);       // one row down
    EXPECT_FLOAT_EQ(p2[2], 0.19921875f);           // red 255: 85 x 0.6 / 256
    EXPECT_FLOAT_EQ(p2[3 + 2], 0.00703125f);       // 3 x 0.6 / 256
    EXPECT_FLOAT_EQ(p2[3 * 2 + 2], 0) << "past the second picture's width";
    EXPECT_FLOAT_EQ(stream(g, "position3", VEC3)[3 + 2], 0);
    EXPECT_FLOAT_EQ(stream(g, "texCoord0", VEC2)[2 * 256 + 1], 1.0f / 256);
}

TEST_F(GalleryLutPointSprites, PointSpritesKeepTo16BitIndices)
{
    ScratchResources scratch;
    scratch.putImage("kingfisher256x256.jpg", 300, 300, std::vector<uint8_t>(300 * 300 * 4, 255));
    testing::internal::CaptureStdout();
    PointSprites sprites;
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(sprites.particles->getNumVertices(), 65400u) << "218 whole rows of 300";
    EXPECT_EQ(sprites.particles->getNumIndices(), 65400u);
    EXPECT_NE(log.find("Creating 65400 particles"), std::string::npos) << log;
}
