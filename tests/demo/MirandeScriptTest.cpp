// The demo's timeline: which effects draw when, and the field values it pins.
#include "HostClock.h"
#include "anim/Anim.h"
#include "demo/Mirande.h"
#include "demo/Piramid.h"
#include "demo/PinkSky.h"
#include "demo/QuadLand2.h"
#include "demo/Rings.h"
#include "demo/SorvLogo3.h"
#include "demo/Stars.h"
#include "demo/TarskFade.h"
#include "demo/TriangleRain5.h"
#include "demo/Tunnel.h"
#include "support/HeadlessGL.h"
#include "utils/Timer.h"

#include <memory>

namespace {

class MirandeScript : public HeadlessGLTest {
protected:
    // One demo for the suite, built once and kept: its script stays bound.
    static Mirande& demo()
    {
        static Mirande* app = [] {
            auto* m = new Mirande();
            m->init();
            return m;
        }();
        return *app;
    }

    static void at(float time)
    {
        vell::Timer::getInstance()->setTime(time);
        Anim::update();
    }

    // The effects draw() would call at time, in draw order.
    static std::vector<Effect*> drawnAt(float time)
    {
        at(time);
        std::vector<Effect*> drawn;
        for (Effect* effect : demo().effects)
            if (effect->enabled)
                drawn.push_back(effect);
        return drawn;
    }
};

} // namespace

TEST_F(MirandeScript, OpeningEffectsDrawInCreationOrder)
{
    Mirande& m = demo();
    EXPECT_EQ(drawnAt(0.5f), (std::vector<Effect*>{m.quadLand2, m.tarskFade}));
    EXPECT_EQ(drawnAt(11.5f), (std::vector<Effect*>{m.pinkSky, m.quadLand2, m.triangleRain5, m.tarskFade}));
}

TEST_F(MirandeScript, PyramidReachesTheCameraThenLeaves)
{
    Mirande& m = demo();
    EXPECT_EQ(drawnAt(80.5f), (std::vector<Effect*>{m.quadLand2, m.piramid, m.tunnel, m.tarskFade}));
    EXPECT_FLOAT_EQ(m.piramid->pyramidZ, -0.1f);
    EXPECT_TRUE(m.piramid->enabled);
    at(81.01f);
    EXPECT_FALSE(m.piramid->enabled);
    EXPECT_FALSE(m.quadLand2->enabled);
}

TEST_F(MirandeScript, StarsFlyTowardsTheViewerAndRestartOnEachBeat)
{
    Mirande& m = demo();
    at(112.0f); // -15 + 30 * 5 / 7.08
    EXPECT_NEAR(m.stars->cameraZ, 6.1864f, 1e-3f);
    EXPECT_EQ(m.stars->starScale, 1.0f);
    at(114.09f); // a hundredth past the first beat: the next flight has just begun
    EXPECT_NEAR(m.stars->cameraZ, -15.0f, 0.05f);
    EXPECT_EQ(m.stars->starScale, 10.0f);
    EXPECT_TRUE(m.stars->enabled);
    at(134.87f);
    EXPECT_FALSE(m.stars->enabled);
    EXPECT_TRUE(m.rings->enabled);
}

TEST_F(MirandeScript, LogoPansInEasingOut)
{
    Mirande& m = demo();
    at(163.1f); // halfway from 1 to 0: u = -0.5, -1 * (-0.125 + 1) + 1
    EXPECT_NEAR(m.sorvLogo3->introPan, 0.125f, 1e-5f);
}

TEST_F(MirandeScript, OnlyAClearFadeIsLeftAfterTheLastChange)
{
    Mirande& m = demo();
    for (float time : {210.5f, 400.0f}) {
        EXPECT_EQ(drawnAt(time), std::vector<Effect*>{m.tarskFade}) << time;
        EXPECT_EQ(m.tarskFade->fadeColor.w, 0.0f) << time;
    }
}

TEST_F(MirandeScript, FrameEndsWithTheCanvasStateTheNextFrameStartsFrom)
{
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    HostClock::advance();
    demo().update();
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
    GLint source = 0, destination = 0;
    glGetIntegerv(GL_BLEND_SRC_RGB, &source);
    glGetIntegerv(GL_BLEND_DST_RGB, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
}

TEST_F(MirandeScript, DestroyedDemosTakeTheirTracksWithThem)
{
    Mirande& kept = demo();
    const std::size_t bound = Anim::trackCount();
    for (int visit = 0; visit < 3; ++visit) {
        auto visiting = std::make_unique<Mirande>();
        visiting->init();
        // One track per scripted field: 1 + 8 + 2 + 8 + 3 + 4 + 4 + 9 + 2.
        EXPECT_EQ(Anim::trackCount(), bound + 41);
    }
    EXPECT_EQ(Anim::trackCount(), bound);
    EXPECT_EQ(drawnAt(11.5f), (std::vector<Effect*>{kept.pinkSky, kept.quadLand2, kept.triangleRain5, kept.tarskFade}))
        << "the demo still alive keeps its script";
}

// Halfway through a one-second flash its colour is half the key's, alpha
// included; the fade draws last, over every effect; a step then clears it.
// Declared last: a jump back in time leaves fields whose first key lies
// ahead as they were, and the logo's lies at 161.6 s.
TEST_F(MirandeScript, FlashesFadeLinearlyThenJumpClear)
{
    Mirande& m = demo();
    const struct {
        float half, end;
        vell::vec4 colour;
    } flashes[] = {
        {27.4f, 28, {0.5f, 0.5f, 0.5f, 0.5f}}, // white, 26.8 s to 28 s
        {60.5f, 61, {0, 0, 0, 0.5f}},          // black beats
        {175.1f, 175.6f, {0, 0, 0, 0.5f}},
    };
    for (const auto& flash : flashes) {
        const std::vector<Effect*> drawn = drawnAt(flash.half);
        ASSERT_FALSE(drawn.empty());
        EXPECT_EQ(drawn.back(), m.tarskFade) << flash.half;
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(m.tarskFade->fadeColor[i], flash.colour[i], 1e-4f) << flash.half;
        at(flash.end + 0.01f);
        EXPECT_EQ(m.tarskFade->fadeColor.w, 0.0f) << flash.end;
    }
}
