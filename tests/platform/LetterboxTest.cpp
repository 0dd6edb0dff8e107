#include "ContentScale.h"
#include "FrameScaler.h"
#include "HeadlessContext.h"
#include "HostSurface.h"
#include "Letterbox.h"
#include "support/HeadlessGL.h"

#include <GLES2/gl2ext.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <malloc.h>
#include <tuple>
#include <vector>

TEST(Letterbox, KeepsThreeToTwoCentred)
{
    const Letterbox::Rect exact = Letterbox::fit(960, 640);
    EXPECT_EQ((std::array<int, 4>{exact.x, exact.y, exact.width, exact.height}),
              (std::array<int, 4>{0, 0, 960, 640}));

    const Letterbox::Rect wide = Letterbox::fit(1920, 1080); // bars left and right
    EXPECT_EQ((std::array<int, 4>{wide.x, wide.y, wide.width, wide.height}),
              (std::array<int, 4>{150, 0, 1620, 1080}));

    const Letterbox::Rect tall = Letterbox::fit(600, 800); // bars top and bottom
    EXPECT_EQ((std::array<int, 4>{tall.x, tall.y, tall.width, tall.height}),
              (std::array<int, 4>{0, 200, 600, 400}));

    const Letterbox::Rect none = Letterbox::fit(0, 0);
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(none.height, 0);
}

namespace {

constexpr int kW = HostSurface::kWidth, kH = HostSurface::kHeight;

// A black 480x320 RGBA frame, bottom row first, as read back from the GL.
std::vector<uint8_t> blackFrame() { return std::vector<uint8_t>(static_cast<size_t>(kW) * kH * 4, 0); }

void setTexel(std::vector<uint8_t>& frame, int x, int yFromBottom, uint8_t r, uint8_t g, uint8_t b)
{
    uint8_t* p = &frame[(static_cast<size_t>(yFromBottom) * kW + x) * 4];
    p[0] = r;
    p[1] = g;
    p[2] = b;
}

// Pixel (x, y) of a scaled picture, y from the top, as 0xFFRRGGBB.
uint32_t at(const std::vector<uint32_t>& picture, int width, int x, int y) { return picture[y * width + x]; }

} // namespace

TEST(Letterbox, ScaledOnTheCpuAtTwiceTheSizeRoundsAcrossThenDown)
{
    std::vector<uint8_t> frame = blackFrame();
    setTexel(frame, 100, 50, 18, 36, 200);
    setTexel(frame, 0, 0, 200, 0, 0);
    std::vector<uint32_t> picture(960 * 640);
    FrameScaler scaler;
    scaler.scale(frame.data(), kW, kH, 960, 640, reinterpret_cast<uint8_t*>(picture.data()), 960 * 4);

    // Pixel 201 takes 3/4 of texel 100 across: (3 * 18 + 2) / 4 = 14; row 102
    // from the bottom takes 1/4 of texel row 50 down: (14 + 2) / 4 = 4, where
    // one rounding of 18 * 3/16 would give 3. Green (36): 27, then 7; blue (200): 150, then 38.
    EXPECT_EQ(at(picture, 960, 201, 639 - 102), 0xFF040726u);
    // Row 101 takes 3/4 of it: red (3 * 14 + 2) / 4 = 11, green (3 * 27 + 2) / 4 = 20, blue 113.
    EXPECT_EQ(at(picture, 960, 201, 639 - 101), 0xFF0B1471u);
    // Outside the texels' reach: black, opaque.
    EXPECT_EQ(at(picture, 960, 205, 639 - 102), 0xFF000000u);
    // The corner texel: past the edge the edge texel stands in, so pixel 0 is
    // all of it; pixel 1 takes 3/4 of it: (3 * 200 + 2) / 4 = 150.
    EXPECT_EQ(at(picture, 960, 0, 639), 0xFFC80000u);
    EXPECT_EQ(at(picture, 960, 1, 639), 0xFF960000u);
}

TEST(Letterbox, ScaledOnTheCpuKeepsToItsRectAtAnySize)
{
    // Frames of 480x320 and 960x640 pixels (content scales 1 and 2), one red
    // texel of 18 at x 7 in the top row. At the frame's own size every pixel
    // is its texel; at half size each pixel is the mean of four, rounded up at
    // each pass: (18 + 0 + 1) / 2 = 9, then (9 + 0 + 1) / 2 = 5.
    for (const auto& [frameWidth, width, height, x, value] :
         {std::tuple{480, 480, 320, 7, 0xFF120000u}, {480, 240, 160, 3, 0xFF050000u},
          {960, 960, 640, 7, 0xFF120000u}, {960, 480, 320, 3, 0xFF050000u}}) {
        const int frameHeight = frameWidth * 2 / 3;
        std::vector<uint8_t> frame(static_cast<size_t>(frameWidth) * frameHeight * 4, 0);
        frame[(static_cast<size_t>(frameHeight - 1) * frameWidth + 7) * 4] = 18;
        const int pitch = (width + 2) * 4; // a rect inside a wider picture
        std::vector<uint32_t> picture(static_cast<size_t>(width + 2) * height, 0x12345678u);
        FrameScaler scaler;
        scaler.scale(frame.data(), frameWidth, frameHeight, width, height, reinterpret_cast<uint8_t*>(picture.data()),
                     pitch);
        EXPECT_EQ(at(picture, width + 2, x, 0), value) << frameWidth << " to " << width;
        EXPECT_EQ(at(picture, width + 2, x + 1, 0), 0xFF000000u) << frameWidth << " to " << width;
        EXPECT_EQ(at(picture, width + 2, x, 1), 0xFF000000u) << frameWidth << " to " << width;
        for (int y = 0; y < height; ++y) // the two pixels past the rect's right edge stay
            ASSERT_EQ(at(picture, width + 2, width + 1, y), 0x12345678u) << width << " row " << y;
    }
}

TEST(Letterbox, FrameFourTimesThePictureIsAveragedWithNoTexelSkipped)
{
    // A 1920x1280 frame (content scale 4) in a 480x320 picture: pixel 3 of the
    // top row covers texels 12 to 15 of rows 1276 to 1279. One texel of 160 at
    // x 12, row 1279 is a sixteenth of it: (160 + 8) / 16 = 10. Sampling
    // between texels 13 and 14, as bilinear filtering alone would, misses it.
    std::vector<uint8_t> frame(static_cast<size_t>(1920) * 1280 * 4, 0);
    frame[(static_cast<size_t>(1279) * 1920 + 12) * 4 + 1] = 160; // green
    std::vector<uint32_t> picture(480 * 320);
    FrameScaler().scale(frame.data(), 1920, 1280, 480, 320, reinterpret_cast<uint8_t*>(picture.data()), 480 * 4);
    EXPECT_EQ(at(picture, 480, 3, 0), 0xFF000A00u);
    EXPECT_EQ(at(picture, 480, 2, 0), 0xFF000000u);
    EXPECT_EQ(at(picture, 480, 4, 0), 0xFF000000u);
    EXPECT_EQ(at(picture, 480, 3, 1), 0xFF000000u);
}

// After a 3x frame in a full-screen picture, a 1x frame gives back the room the
// larger one took: held, it stayed for the rest of the run (5.5 MB more heap).
TEST(Letterbox, ScalerGivesBackALargerFramesRoom)
{
    const auto heapInUse = [] { return mallinfo2().uordblks + mallinfo2().hblkhd; };
    const size_t before = heapInUse();
    std::vector<uint8_t> large(static_cast<size_t>(1440) * 960 * 4, 0);
    if (heapInUse() < before + large.size()) // another allocator (a sanitizer's) serves new
        GTEST_SKIP() << "the C library's heap figures do not see this allocator";
    std::vector<uint32_t> picture(1620 * 1080);
    FrameScaler scaler;
    scaler.scale(large.data(), 1440, 960, 1620, 1080, reinterpret_cast<uint8_t*>(picture.data()), 1620 * 4);
    const size_t afterLarge = heapInUse();
    scaler.scale(large.data(), 480, 320, 960, 640, reinterpret_cast<uint8_t*>(picture.data()), 960 * 4);
    // The frame's texels, 1440 x 960 x 4 = 5,529,600 bytes, become 480 x 320 x 4 = 614,400.
    EXPECT_GT(afterLarge, heapInUse() + 4800000);
}

TEST(ContentScale, LargestThatFitsAndWhatF3SwitchesTo)
{
    for (const auto& [width, height, largest] :
         {std::tuple{960, 640, 2}, {959, 640, 1}, {960, 639, 1}, {1920, 1080, 3}, {1920, 1280, 4}, {4000, 3000, 4},
          {480, 320, 1}, {0, 0, 1}}) {
        EXPECT_EQ(HostSurface::largestScaleFitting(width, height), largest) << width << "x" << height;
        EXPECT_EQ(ContentScale::next(1, width, height), largest) << width << "x" << height;
        EXPECT_EQ(ContentScale::next(3, width, height), 1) << width << "x" << height;
    }
    // At start: as asked; otherwise 1 on a renderer drawing on the CPU, else the largest that fits.
    for (const auto& [requested, renderer, scale] :
         {std::tuple<int, const char*, int>{0, "llvmpipe (LLVM 15.0.7, 256 bits)", 1},
          {0, "softpipe", 1},
          {0, "Mesa SWRAST", 1},
          {0, nullptr, 1},
          {0, "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", 3},
          {4, "llvmpipe (LLVM 15.0.7, 256 bits)", 4},
          {2, "AMD Radeon RX 6600", 2}})
        EXPECT_EQ(ContentScale::atStart(requested, renderer, 1920, 1080), scale) << (renderer ? renderer : "none");
}

using LetterboxGLTest = HeadlessGLTest;

// The window's picture is scaled on the CPU; at its default size it must be
// what the GL draws from the same frame, pixel for pixel.
TEST_F(LetterboxGLTest, ScaledOnTheCpuAtTwiceTheSizeIsWhatTheGLDraws)
{
    std::vector<uint8_t> frame = blackFrame();
    uint32_t state = 12345; // any values, each channel and neighbour unlike the next
    for (uint8_t& v : frame) {
        state = state * 1103515245u + 12345u;
        v = static_cast<uint8_t>(state >> 16);
    }
    Letterbox letterbox;
    ASSERT_TRUE(letterbox.create());
    glBindTexture(GL_TEXTURE_2D, letterbox.frameTexture());
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kW, kH, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    GLuint target = 0, colour = 0;
    glGenFramebuffers(1, &target);
    glBindFramebuffer(GL_FRAMEBUFFER, target);
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8_OES, 960, 640);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    letterbox.draw(960, 640);
    const std::vector<uint8_t> drawn = HeadlessContext::readFrame(960, 640); // top row first
    GLint program = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    const GLuint texture = letterbox.frameTexture();
    glDeleteProgram(static_cast<GLuint>(program));
    glDeleteTextures(1, &texture);
    glBindFramebuffer(GL_FRAMEBUFFER, app->framebuffer);
    glDeleteFramebuffers(1, &target);
    glDeleteRenderbuffers(1, &colour);
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    std::vector<uint32_t> picture(960 * 640);
    FrameScaler().scale(frame.data(), kW, kH, 960, 640, reinterpret_cast<uint8_t*>(picture.data()), 960 * 4);
    int differing = 0;
    for (size_t i = 0; i < picture.size(); ++i) {
        const uint32_t gl = 0xFF000000u | uint32_t(drawn[i * 4]) << 16 | uint32_t(drawn[i * 4 + 1]) << 8 |
                            drawn[i * 4 + 2];
        differing += picture[i] != gl;
    }
    EXPECT_EQ(differing, 0);
}
