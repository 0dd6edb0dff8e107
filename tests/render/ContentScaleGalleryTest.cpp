// Every gallery effect drawn at twice the pixels, box-filtered, against the
// same frame at scale 1: a viewport or target left at its old size shows as
// a quarter-size or misplaced picture, a point size left in pixels as smaller
// sprites.
#include "filters/BlurFilter.h"
#include "framework/EffectFactory.h"
#include "gallery/Crystal2.h"
#include "gallery/ExampleRenderToCubeMap.h"
#include "gallery/FakeGI.h"
#include "gallery/QuadLand.h"
#include "gallery/RenderCubeMap.h"
#include "gallery/VertexBasedLighting.h"
#include "graphics/RenderTexture.h"
#include "math/Random.h"
#include "support/EffectHarness.h"
#include "support/HeadlessGL.h"
#include "support/ScaledFrames.h"

#include <cstdlib>
#include <cstring>

namespace {

using ContentScaleGallery = HeadlessGLTest;

// Every effect shows its picture by then; half a second keeps the 2x frames cheap.
constexpr float frameTime = 0.5f;

// Mean difference allowed after box-filtering, in levels.
double allowedDelta(const char* name)
{
    // Pictures of features a pixel or two across differ more: the 2x frame
    // places each to half a pixel where the 1x frame rounds it to a whole one.
    // So do hard edges and magnified targets, which the 2x frame draws finer.
    struct Bound {
        const char* name;
        double delta;
    };
    static const Bound finer[] = {
        {"TriangleRain", 6.5},  // 1000 outlines one point wide
        {"QuadLand", 3.5},      // a wire grid of one-point lines
        {"TriangleRain2", 2.2}, // 300 outlines
        {"PointSprites", 3.0},  // 65536 sprites 4.5 points wide, coloured by the 2x photo
                                // whose grain (up to 6 levels) is its own, a pixel fine
        {"Crystal", 1.3},       // wires on faces: depth ties decide other pixels
        {"LutDistort", 1.2},    // hard checker edges, sampled a mip level finer
        {"VertexBasedLighting", 1.2}, // its scene target magnified: steps at 1x
    };
    for (const Bound& b : finer)
        if (std::strcmp(b.name, name) == 0)
            return b.delta;
    return 0.8;
}

std::vector<uint8_t> frameAt(const EffectFactory::EffectInfo& info, int scale, float time)
{
    ScaleScope scope(scale);
    srand(1);
    srandom(1);
    vell::randomSeed(1);
    EffectHarness harness(info.create());
    harness.runUntil(time);
    return harness.frame();
}

} // namespace

TEST_F(ContentScaleGallery, EveryGalleryEffectAtTwiceThePixels)
{
    const EffectFactory* factory = EffectFactory::getInstance();
    for (int i = 0; i < factory->getNumEffects(); ++i) {
        const EffectFactory::EffectInfo& info = *factory->getEffectInfo(i);
        const std::vector<uint8_t> reference = frameAt(info, 1, frameTime);
        EXPECT_TRUE(matchesAtScale(frameAt(info, 2, frameTime), 2, reference, std::string("Scaled-") + info.name,
                                   allowedDelta(info.name)));
    }
}

// A target drawn through an overlay or read as a reflection only loses detail
// when left at its old size, which the pictures above cannot show.
TEST_F(ContentScaleGallery, FixedTargetsAndLinesGrowWithTheScale)
{
    ScaleScope scope(3);
    QuadLand quadLand;
    EXPECT_EQ(quadLand.sceneTexture->getWidth(), 1536);
    EXPECT_EQ(quadLand.glowTexture->getHeight(), 384);
    EXPECT_EQ(quadLand.blur->getWidth(), 384);
    FakeGI fakeGI;
    EXPECT_EQ(fakeGI.target->getHeight(), 768);
    VertexBasedLighting lighting;
    EXPECT_EQ(lighting.sceneTexture->getWidth(), 768);
    EXPECT_EQ(lighting.blurFilter->getHeight(), 768);

    ExampleRenderToCubeMap example;
    GLint faceWidth = 0;
    glBindRenderbuffer(GL_RENDERBUFFER, example.depthBuffer);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_WIDTH, &faceWidth);
    EXPECT_EQ(faceWidth, 768) << "the cube faces' depth";

    RenderCubeMap cube;
    GLint viewport[4] = {};
    ASSERT_TRUE(cube.begin(0));
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 384) << "a face";
    cube.end();
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1440) << "the frame";
    EXPECT_EQ(viewport[3], 960) << "the frame";

    // Crystal2 draws its edges three points wide and leaves lines one point wide.
    EffectHarness harness(new Crystal2);
    harness.runFrames(1);
    GLfloat lineWidth = 0;
    glGetFloatv(GL_LINE_WIDTH, &lineWidth);
    EXPECT_EQ(lineWidth, 3.0f);
}
