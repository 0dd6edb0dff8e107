#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// How far a frame may stray from its reference: differences up to
// channelThreshold levels are noise; past it a pixel differs.
struct GoldenTolerance {
    int channelThreshold = 8;
    int maxDifferingPixels = 40;
    double maxMeanDelta = 0.75; // mean absolute RGB difference, in levels
};

// Compares an RGBA frame (top row first) with tests/golden/<name>.png on RGB.
// On failure writes <name>-actual.png and <name>-diff.png to build/tests/golden-out.
// With QUENFOLD_UPDATE_GOLDEN=1 in the environment it rewrites the reference instead.
// Under ctest it fails in a test without the label golden.
testing::AssertionResult matchesGolden(const std::vector<uint8_t>& frame, int width, int height,
                                       const std::string& name, const GoldenTolerance& tolerance = {});
