#include "framework/EffectFactory.h"
#include "gallery/IsoTerrain.h"
#include "gallery/IsoTerrainModule.h"
#include "geom/Geometry.h"
#include "support/EffectHarness.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"

#include <cstdlib>
#include <string>

using IsoTerrainTest = HeadlessGLTest;

TEST_F(IsoTerrainTest, GoldenSplashFrameThenBuildFrameThenFlight)
{
    ASSERT_NE(EffectFactory::getInstance()->find("IsoTerrain"), nullptr);
    srandom(1); // the rock of a fresh process
    auto* terrain = new IsoTerrain();
    EffectHarness harness(terrain);

    harness.runFrames(1);
    EXPECT_EQ(terrain->stage, -1);
    EXPECT_EQ(terrain->modules[0], nullptr);
    // Only the splash: its dark backdrop (the main clear is black, alpha 0) has alpha 1.
    const auto splash = harness.frame();
    EXPECT_EQ(pixel(splash, 240, 4)[3], 255);

    testing::internal::CaptureStdout();
    harness.runFrames(1);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(terrain->stage, 0);
    size_t lines = 0;
    for (size_t at = log.find("Num vertices: "); at != std::string::npos; at = log.find("Num vertices: ", at + 1))
        ++lines;
    EXPECT_EQ(lines, 3u);
    for (int j = 0; j < 3; ++j) {
        ASSERT_NE(terrain->modules[j], nullptr);
        EXPECT_EQ(terrain->modules[j]->getPosition().z, 10.0f * j - 20);
        EXPECT_NE(log.find("Num vertices: " + std::to_string(terrain->modules[j]->geometry->getNumVertices())),
                  std::string::npos);
    }

    harness.runUntil(2);
    EXPECT_TRUE(matchesGolden(harness.frame(), 480, 320, "IsoTerrain-2.00"));
}
