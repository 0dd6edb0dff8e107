#pragma once

#include "framework/GLApp.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// Main framebuffer of a test: a GLApp whose fields the tests may read.
class TestApp : public GLApp {
public:
    using GLApp::colorRenderbuffer;
    using GLApp::depthRenderbuffer;
    using GLApp::framebuffer;
    using GLApp::height;
    using GLApp::stencilRenderbuffer;
    using GLApp::width;
};

// Tests that need GL: a headless OpenGL ES 2.0 context (one per process) and a
// fresh 480x320 main framebuffer, bound, with the viewport set and cleared.
class HeadlessGLTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The bound framebuffer's pixels, RGBA, top row first.
    static std::vector<uint8_t> readFrame();
    // One pixel of a frame from readFrame(); (x, y) from the top-left.
    static std::array<uint8_t, 4> pixel(const std::vector<uint8_t>& frame, int x, int y);

    std::unique_ptr<TestApp> app;
};
