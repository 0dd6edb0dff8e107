#include "gallery/FakeGI.h"
#include "gallery/LandRain.h"
#include "gallery/QuadLand.h"
#include "gallery/SorvLogo.h"
#include "gallery/SorvLogo2.h"
#include "gallery/TriangleRain.h"
#include "gallery/TriangleRain2.h"
#include "gallery/TriangleRain3.h"
#include "gallery/TriangleRain4.h"
#include "graphics/Texture2D.h"
#include "support/ClockControl.h"
#include "support/EffectHarness.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"
#include "support/TestQuads.h"
#include "support/TextureData.h"

using namespace vell;

namespace {

using GalleryGolden = HeadlessGLTest;

void expectGolden(Effect* effect, const char* name, std::initializer_list<float> times)
{
    EffectHarness harness(effect);
    for (float time : times) {
        harness.runUntil(time);
        EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, frameName(name, time)));
    }
}

// From afar before any touch, then close up from where the finger put the eye.
void expectTouchedGoldens(LogoInSky* logo, const std::string& name)
{
    EffectHarness harness(logo);
    harness.runUntil(1.0f);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, frameName(name.c_str(), 1.0f)));
    logo->onMouseMove(100, 200, 1); // eye at x = 20 x 200 / 320 - 10 = 2.5
    harness.runUntil(2.0f);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, frameName((name + "Touched").c_str(), 2.0f)));
}

// A warm dusk backdrop under an effect that draws over what the frame holds,
// with the depth test off as in a fresh context (earlier harnesses turned it on).
class OverBackdrop : public Effect {
public:
    explicit OverBackdrop(Effect* e)
        : effect(e), backdrop(makeTexture(1, 2, {250, 150, 90, 255, 90, 60, 140, 255}))
    {
    }
    void draw() override
    {
        glDisable(GL_DEPTH_TEST);
        backdrop->bind();
        drawBoundTexture();
        effect->draw();
    }

private:
    std::unique_ptr<Effect> effect;
    std::unique_ptr<Texture2D> backdrop;
};

} // namespace

// Each runs from the first frame of its process, as quenfold-render --effect does.
TEST_F(GalleryGolden, TriangleRainFamily)
{
    expectGolden(new TriangleRain(), "TriangleRain", {3.0f});
    expectGolden(new TriangleRain2(), "TriangleRain2", {4.0f});
    expectGolden(new OverBackdrop(new TriangleRain3()), "TriangleRain3", {3.0f});
    expectGolden(new TriangleRain4(), "TriangleRain4", {20.0f});
}

TEST_F(GalleryGolden, QuadLandscapes)
{
    expectGolden(new QuadLand(), "QuadLand", {2.0f});
    expectGolden(new LandRain(), "LandRain", {5.0f});
}

TEST_F(GalleryGolden, FakeGI)
{
    expectGolden(new FakeGI(), "FakeGI", {2.0f});
}

TEST_F(GalleryGolden, Logos)
{
    expectTouchedGoldens(new SorvLogo(), "SorvLogo");
    expectTouchedGoldens(new SorvLogo2(), "SorvLogo2");
}
