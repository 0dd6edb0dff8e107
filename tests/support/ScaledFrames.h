#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// Frames drawn at a content scale S (480S x 320S pixels) against the same
// frames at scale 1.

// Sets the content scale for what is made in its lifetime; back to 1 after.
class ScaleScope {
public:
    explicit ScaleScope(int scale);
    ~ScaleScope();
    ScaleScope(const ScaleScope&) = delete;
    ScaleScope& operator=(const ScaleScope&) = delete;
};

// A 480S x 320S RGBA frame down to 480x320: each pixel the rounded mean of its S x S block.
std::vector<uint8_t> boxFiltered(const std::vector<uint8_t>& frame, int scale);

// Whether a frame drawn at scale S, box-filtered, has a mean absolute RGB
// difference (in levels) of at most maxMeanDelta from the 480x320 reference.
// On failure writes <name>-scaled.png (box-filtered) and <name>-reference.png
// to build/tests/golden-out.
testing::AssertionResult matchesAtScale(const std::vector<uint8_t>& frame, int scale,
                                        const std::vector<uint8_t>& reference, const std::string& name,
                                        double maxMeanDelta);
