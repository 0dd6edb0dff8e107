#include "HostClock.h"
#include "support/ScratchResources.h"
#include "utils/Platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class PlatformTest : public ::testing::Test {
protected:
    void put(const std::string& name, const std::string& bytes) { scratch.put(name, bytes); }

    ScratchResources scratch;
};

} // namespace

TEST_F(PlatformTest, BinaryFilesAreFoundByBaseNameOnly)
{
    put("font.dat", std::string("\x01\x02\x00\x03", 4));
    put("sub/font.dat", "other");
    for (const char* name : {"font.dat", "sub/font.dat", "/some/where/font.dat"}) {
        auto* bytes = static_cast<unsigned char*>(osLoadBinaryFile(name));
        ASSERT_NE(bytes, nullptr) << name;
        EXPECT_EQ(bytes[0], 1);
        EXPECT_EQ(bytes[3], 3);
        free(bytes);
    }
    EXPECT_EQ(osLoadBinaryFile("missing.dat"), nullptr);
}

TEST_F(PlatformTest, TextFilesKeepTheirDirectory)
{
    put("a.glsl", "top");
    put("sub/a.glsl", "nested");
    ASSERT_NE(osLoadTextFile("a.glsl"), nullptr);
    EXPECT_STREQ(osLoadTextFile("a.glsl"), "top");
    ASSERT_NE(osLoadTextFile("sub/a.glsl"), nullptr);
    EXPECT_STREQ(osLoadTextFile("sub/a.glsl"), "nested");
}

TEST_F(PlatformTest, TextThatIsMissingOutsideOrNotUtf8IsNull)
{
    put("bad.txt", "ok \xC3\x28 no");
    put("overlong.txt", "\xC0\xAF");
    put("good.txt", "gr\xC3\xBC\xC3\x9F");
    EXPECT_EQ(osLoadTextFile("missing.glsl"), nullptr);
    EXPECT_EQ(osLoadTextFile("bad.txt"), nullptr);
    EXPECT_EQ(osLoadTextFile("overlong.txt"), nullptr);
    EXPECT_NE(osLoadTextFile("good.txt"), nullptr);
    EXPECT_EQ(osLoadTextFile("../etc/passwd"), nullptr);
    EXPECT_EQ(osLoadTextFile("/etc/passwd"), nullptr);
}

TEST_F(PlatformTest, ImagesDecodeToPremultipliedRgbaTopRowFirst)
{
    scratch.putImage("tiny.png", 2, 2,
                     {255, 0, 0, 255, 255, 255, 255, 128, // top row
                      0, 0, 255, 255, 0, 255, 0, 0});     // bottom row

    unsigned int w = 9, h = 9, bpp = 0;
    auto* px = static_cast<unsigned char*>(osLoadImageFile("tiny.png", &w, &h, &bpp));
    ASSERT_NE(px, nullptr);
    EXPECT_EQ(w, 2u);
    EXPECT_EQ(h, 2u);
    EXPECT_EQ(bpp, 32u);
    const unsigned char expected[] = {255, 0, 0, 255, 128, 128, 128, 128, 0, 0, 255, 255, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<unsigned char>(px, px + 16), std::vector<unsigned char>(expected, expected + 16));
    free(px);

    bpp = 7;
    EXPECT_EQ(osLoadImageFile("missing.png", &w, &h, &bpp), nullptr);
    EXPECT_EQ(w, 0u);
    EXPECT_EQ(h, 0u);
    EXPECT_EQ(bpp, 7u) << "bits per pixel is left untouched on failure";
}

TEST_F(PlatformTest, MissingMusicLogsTheReasonAndCarriesOn)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    testing::internal::CaptureStderr();
    osPlayMp3("no-such-track.mp3", 10.5f);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.rfind("Failed with reason: ", 0), 0u) << err;
}

TEST(PlatformClock, MonotonicFromAboutZero)
{
    HostClock::useMonotonic();
    const float first = osGetTime();
    EXPECT_LT(first, 0.01f);
    float previous = first;
    for (int i = 0; i < 1000; ++i) {
        const float now = osGetTime();
        EXPECT_GE(now, previous);
        previous = now;
    }
}

TEST(PlatformClock, FixedStepAdvancesExactlyOneFramePerStep)
{
    HostClock::useFixedStep(1.0 / 60.0);
    HostClock::set(0);
    EXPECT_EQ(osGetTime(), 0.0f);
    for (int i = 0; i < 120; ++i)
        HostClock::advance();
    EXPECT_EQ(osGetTime(), 2.0f);
    HostClock::useMonotonic();
}

TEST(PlatformWindow, LogicalSizeIs480x320)
{
    EXPECT_EQ(osGetWindowWidth(), 480u);
    EXPECT_EQ(osGetWindowHeight(), 320u);
}
