#include "FrameScaler.h"
#include "HeadlessContext.h"
#include "HostSurface.h"
#include "Letterbox.h"
#include "support/HeadlessGL.h"

#include <GLES2/gl2ext.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
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
    scaler.scale(frame.data(), 960, 640, reinterpret_cast<uint8_t*>(picture.data()), 960 * 4);

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
    std::vector<uint8_t> frame = blackFrame();
    setTexel(frame, 7, 319, 18, 0, 0); // top row
    setTexel(frame, 8, 319, 0, 0, 0);
    // At the frame's own size every pixel is its texel; at half size each pixel
    // is the mean of four, rounded up at each pass: (18 + 0 + 1) / 2 = 9, then (9 + 0 + 1) / 2 = 5.
    for (const auto& [width, height, x, value] :
         {std::tuple{480, 320, 7, 0xFF120000u}, {240, 160, 3, 0xFF050000u}}) {
        const int pitch = (width + 2) * 4; // a rect inside a wider picture
        std::vector<uint32_t> picture(static_cast<size_t>(width + 2) * height, 0x12345678u);
        FrameScaler scaler;
        scaler.scale(frame.data(), width, height, reinterpret_cast<uint8_t*>(picture.data()), pitch);
        EXPECT_EQ(at(picture, width + 2, x, 0), value) << width;
        EXPECT_EQ(at(picture, width + 2, x + 1, 0), 0xFF000000u) << width;
        for (int y = 0; y < height; ++y) // the two pixels past the rect's right edge stay
            ASSERT_EQ(at(picture, width + 2, width + 1, y), 0x12345678u) << width << " row " << y;
    }
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
    FrameScaler().scale(frame.data(), 960, 640, reinterpret_cast<uint8_t*>(picture.data()), 960 * 4);
    int differing = 0;
    for (size_t i = 0; i < picture.size(); ++i) {
        const uint32_t gl = 0xFF000000u | uint32_t(drawn[i * 4]) << 16 | uint32_t(drawn[i * 4 + 1]) << 8 |
                            drawn[i * 4 + 2];
        differing += picture[i] != gl;
    }
    EXPECT_EQ(differing, 0);
}
