#include "HostClock.h"
#include "MusicPlayer.h"
#include "ResourceFiles.h"
#include "support/ScratchResources.h"
#include "utils/Platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

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

TEST(ResourceNames, NamesWithoutAFileResolveToNothing)
{
    // Dropping the directory part of "sub/.." must not leave "..", the parent of the resources.
    for (const char* name : {"..", "sub/..", "", ".", "sub/"})
        EXPECT_EQ(ResourceFiles::binaryPath(name), "") << name;
    EXPECT_EQ(ResourceFiles::binaryPath("sub/../font.dat"), ResourceFiles::directory() + "/font.dat");
    for (const char* name : {"a/..", ".", "./"})
        EXPECT_EQ(ResourceFiles::textPath(name), "") << name;
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
    testing::internal::CaptureStdout();
    osPlayMp3("no-such-track.mp3", 10.5f);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("Failed with reason: ", 0), 0u) << out;
    EXPECT_NE(out.find("no-such-track.mp3"), std::string::npos) << out;
    EXPECT_EQ(out.find('\n'), out.size() - 1) << "one line: " << out;
}

namespace {

std::string bigEndian32(uint32_t v)
{
    return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

// The first bytes of a PNG declaring the size; no pixel data follows.
std::string pngHeader(uint32_t width, uint32_t height)
{
    return std::string("\x89PNG\r\n\x1a\n", 8) + bigEndian32(13) + "IHDR" + bigEndian32(width) +
           bigEndian32(height) + std::string("\x08\x06\x00\x00\x00", 5) + bigEndian32(0);
}

// A JPEG whose frame header declares the size, after an APP0 segment.
std::string jpegHeader(uint16_t width, uint16_t height)
{
    return std::string("\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xC0\x00\x11\x08", 13) +
           char(height >> 8) + char(height) + char(width >> 8) + char(width) + std::string(12, '\x01');
}

} // namespace

TEST_F(PlatformTest, ImagesTooLargeOrUnreadableAreRefusedBeforeDecodingWithOneLine)
{
    put("huge.png", pngHeader(20000, 20000));
    put("wide.png", pngHeader(8193, 1));
    put("huge.jpg", jpegHeader(20000, 300));
    put("limit.png", pngHeader(8192, 1)); // within the limit, but its pixels are missing
    put("text.png", "not an image");
    const struct {
        const char* name;
        const char* why;
    } cases[] = {{"huge.png", "declares 20000x20000 pixels, more than 8192 on a side"},
                 {"wide.png", "more than 8192"},
                 {"huge.jpg", "declares 20000x300 pixels"},
                 {"limit.png", "cannot be decoded"},
                 {"text.png", "is not a readable PNG or JPEG"}};
    for (const auto& c : cases) {
        unsigned int w = 9, h = 9, bpp = 7;
        testing::internal::CaptureStdout();
        EXPECT_EQ(osLoadImageFile(c.name, &w, &h, &bpp), nullptr) << c.name;
        const std::string log = testing::internal::GetCapturedStdout();
        EXPECT_EQ(w + h, 0u) << c.name;
        EXPECT_EQ(log.rfind("ERROR: image '" + std::string(c.name) + "' ", 0), 0u) << log;
        EXPECT_NE(log.find(c.why), std::string::npos) << log;
        EXPECT_EQ(log.find('\n'), log.size() - 1) << "one line: " << log;
    }
}

TEST_F(PlatformTest, AJpegCutShortIsRefusedNotFilledWithGrey)
{
    std::ifstream in(fs::path(QUENFOLD_RESOURCE_DIR) / "kingfisher256x256.jpg", std::ios::binary);
    const std::string jpeg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(jpeg.size(), 1000u);
    put("whole.jpg", jpeg);
    put("half.jpg", jpeg.substr(0, jpeg.size() / 2));
    unsigned int w = 0, h = 0, bpp = 0;
    void* whole = osLoadImageFile("whole.jpg", &w, &h, &bpp);
    EXPECT_NE(whole, nullptr);
    EXPECT_EQ(w, 256u);
    free(whole);
    testing::internal::CaptureStdout();
    EXPECT_EQ(osLoadImageFile("half.jpg", &w, &h, &bpp), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR: image 'half.jpg' cannot be decoded\n");
    EXPECT_EQ(w + h, 0u);

    // A JPEG signature over other content is decoded as a JPEG or not at all.
    // (found by fuzzing: the content-guessing loader took it for a drawing and leaked)
    put("drawing.jpg", std::string("\xFF\xD8\xFF\xFF\xFF\xFF\xFF\xCF\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\x12\xF6\x3C\x73\x76\x67\x00\x00\x67", 48));
    EXPECT_EQ(osLoadImageFile("drawing.jpg", &w, &h, &bpp), nullptr);
}

TEST(PlatformMusic, EachCallRestartsTheMusicAtItsOffset)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const std::string track = "2010-04-03.mp3";
    if (!fs::exists(fs::path(QUENFOLD_RESOURCE_DIR) / track))
        GTEST_SKIP() << "no music was generated";
    osPlayMp3(track.c_str(), 10.5f);
    EXPECT_NEAR(MusicPlayer::position(), 10.5, 0.25);
    osPlayMp3(track.c_str(), 3.0f);
    EXPECT_NEAR(MusicPlayer::position(), 3.0, 0.25) << "the second call starts the music again";
    osPlayMp3("no-such-track.mp3", 0);
    EXPECT_LT(MusicPlayer::position(), 0) << "a failed start leaves nothing playing";
}

// A driver that cannot open stands for a machine without a sound device.
TEST(PlatformMusic, WithoutASoundDeviceItPlaysSilentlyWithOneLine)
{
    const std::string track = "2010-04-03.mp3";
    if (!fs::exists(fs::path(QUENFOLD_RESOURCE_DIR) / track))
        GTEST_SKIP() << "no music was generated";
    MusicPlayer::close();
    setenv("SDL_AUDIODRIVER", "no-such-device", 1);
    testing::internal::CaptureStdout();
    osPlayMp3(track.c_str(), 2.0f);
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    EXPECT_NE(log.find("No sound device ("), std::string::npos) << log;
    EXPECT_NE(log.find("): the music plays silently"), std::string::npos) << log;
    const double start = MusicPlayer::position();
    EXPECT_NEAR(start, 2.0, 0.25);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_GT(MusicPlayer::position(), start) << "the silent music keeps time";
    MusicPlayer::close();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
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

TEST(PlatformClock, SkipMovesTheReadingForwardNeverBack)
{
    HostClock::useMonotonic();
    HostClock::pause();
    const double held = HostClock::now();
    HostClock::skip(0.5);
    EXPECT_DOUBLE_EQ(HostClock::now(), held + 0.5) << "a held clock holds at the new reading";
    HostClock::skip(-1);
    EXPECT_DOUBLE_EQ(HostClock::now(), held + 0.5) << "never back";
    HostClock::resume();
    const double before = HostClock::now();
    HostClock::skip(2);
    const double moved = HostClock::now() - before;
    EXPECT_GE(moved, 2.0);
    EXPECT_LT(moved, 2.5);
    HostClock::useMonotonic();
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
