#include "demo/PinkSky.h"
#include "demo/TarskFade.h"
#include "demo/TriangleRain5.h"
#include "support/ClockControl.h"
#include "support/EffectHarness.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"
#include "support/TestQuads.h"
#include "support/TextureData.h"

#include <algorithm>

using namespace vell;

namespace {

using DemoEffectsGolden = HeadlessGLTest;

} // namespace

// Each runs from the first frame of its process, like the demo's clock.
TEST_F(DemoEffectsGolden, PinkSky)
{
    EffectHarness harness(new PinkSky());
    for (float time : {4.0f, 10.0f, 16.0f}) {
        harness.runUntil(time);
        EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, frameName("PinkSky", time)));
    }
}

TEST_F(DemoEffectsGolden, TriangleRain5)
{
    auto* rain = new TriangleRain5();
    EffectHarness harness(rain);
    for (float time : {3.0f, 8.0f, 11.0f}) {
        rain->alpha = time > 10 ? (12 - time) / 2 : 1; // the demo fades it out from 10 s to 12 s
        harness.runUntil(time);
        const std::vector<uint8_t> frame = harness.frame();
        EXPECT_TRUE(matchesGolden(frame, 480, 320, frameName("TriangleRain5", time)));
        if (time > 10) {
            // Near triangles are white; at alpha 0.5 over black they show 255 / 2.
            uint8_t brightest = 0;
            for (size_t i = 0; i < frame.size(); i += 4)
                brightest = std::max(brightest, frame[i]);
            EXPECT_GE(brightest, 120);
            EXPECT_LE(brightest, 128);
        }
    }
}

// Over four coloured quadrants: the white flash halfway out, then a black fade halfway in.
TEST_F(DemoEffectsGolden, TarskFade)
{
    TarskFade fade;
    const auto background = makeTexture(2, 2, {230, 40, 60, 255, 250, 200, 40, 255, 40, 90, 220, 255, 60, 200, 110, 255});
    for (const auto& [time, color] : {std::pair{27.4f, vec4(0.5f, 0.5f, 0.5f, 0.5f)}, std::pair{60.5f, vec4(0, 0, 0, 0.5f)}}) {
        background->bind();
        drawBoundTexture();
        fade.fadeColor = color;
        fade.draw();
        EXPECT_TRUE(matchesGolden(readFrame(), 480, 320, frameName("TarskFade", time)));
    }
}
