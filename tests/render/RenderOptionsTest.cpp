#include "ProgressLine.h"
#include "RenderOptions.h"

#include <gtest/gtest.h>

namespace {

bool parse(std::vector<const char*> args, RenderOptions* options, std::string* error)
{
    args.insert(args.begin(), "quenfold-render");
    return options->parse(static_cast<int>(args.size()), args.data(), error);
}

} // namespace

TEST(RenderOptions, DemoRunWithTimesAndFps)
{
    RenderOptions o;
    std::string error;
    ASSERT_TRUE(parse({"--demo", "--times", "27.4,0,3,3", "--out", "dir", "--fps", "30"}, &o, &error)) << error;
    EXPECT_EQ(o.mode, RenderOptions::Mode::Demo);
    EXPECT_EQ(o.times, (std::vector<double>{0, 3, 27.4})) << "sorted, duplicates dropped";
    EXPECT_EQ(o.fps, 30);
    EXPECT_EQ(o.frameAt(27.4), 822);
    EXPECT_EQ(o.fileName(27.4), "demo-27.40.png");
    EXPECT_EQ(o.fileName(0.005), "demo-0.01.png");
    EXPECT_FALSE(o.checkGl);
    ASSERT_TRUE(parse({"--demo", "--check-gl", "--times", "1", "--out", "d"}, &o, &error)) << error;
    EXPECT_TRUE(o.checkGl);
    RenderOptions list;
    EXPECT_FALSE(parse({"--list", "--check-gl"}, &list, &error));
    RenderOptions help;
    ASSERT_TRUE(parse({"--demo", "-h", "--bogus"}, &help, &error)) << "help wins over what follows";
    EXPECT_EQ(help.mode, RenderOptions::Mode::Help);
    RenderOptions version;
    ASSERT_TRUE(parse({"--demo", "--version", "--bogus"}, &version, &error)) << "as --help";
    EXPECT_EQ(version.mode, RenderOptions::Mode::Version);
}

TEST(RenderOptions, EffectFilesCarryTheEffectName)
{
    RenderOptions o;
    std::string error;
    ASSERT_TRUE(parse({"--effect", "QuadLand2", "--times", "1", "--out", "d"}, &o, &error));
    EXPECT_EQ(o.mode, RenderOptions::Mode::Effect);
    EXPECT_EQ(o.fileName(1), "QuadLand2-1.00.png");
    EXPECT_EQ(o.frameAt(1), 60);
}

TEST(RenderOptions, TheGallerySheetTakesOneTimeAtMost)
{
    RenderOptions o;
    std::string error;
    ASSERT_TRUE(parse({"--gallery", "--contact-sheet", "g.png", "--scale", "2"}, &o, &error)) << error;
    EXPECT_EQ(o.mode, RenderOptions::Mode::Gallery);
    EXPECT_TRUE(o.times.empty());
    EXPECT_FALSE(o.followsDemo());
    ASSERT_TRUE(parse({"--gallery", "--contact-sheet", "g.png", "--times", "5", "--fps", "10"}, &o, &error)) << error;
    EXPECT_EQ(o.frameAt(o.times.at(0)), 50);
}

TEST(RenderOptions, BadArgumentsAreRefusedWithAReason)
{
    const std::vector<std::vector<const char*>> bad = {
        {},
        {"--bogus"},
        {"--demo", "--times", "-1", "--out", "d"},
        {"--demo", "--times", "1,,2", "--out", "d"},
        {"--demo", "--times", "abc", "--out", "d"},
        {"--demo", "--times", "1e400", "--out", "d"},
        {"--demo", "--times", "nan", "--out", "d"},
        {"--demo", "--times", "99999", "--out", "d"},
        {"--demo", "--times", "1"},
        {"--demo", "--out", "d"},
        {"--demo", "--times", "1", "--out", "d", "--fps", "0"},
        {"--demo", "--times", "1", "--out", "d", "--fps", "6x"},
        {"--demo", "--effect", "X", "--times", "1", "--out", "d"},
        {"--list", "--out", "d"},
        {"--effect"},
        {"--bo\ngus\x1b[2J"},
        {"--demo", "--times", "1\n2", "--out", "d"},
        {"--effect", "A\nB", "--times", "0.008,0.0086", "--out", "d"}, // names the colliding file
        {"--gallery"},
        {"--gallery", "--contact-sheet", "g.png", "--times", "1,2"},
        {"--gallery", "--contact-sheet", "g.png", "--out", "d"},
        {"--gallery", "--contact-sheet", "g.png", "--fields", "--times", "1"},
        {"--effect", "QuadLand2", "--contact-sheet", "g.png"},
        {"--effect", "Clouds", "--script", "s", "--times", "1", "--out", "d"}, // scripts are the demo's
        {"--list", "--script", "s"},
        {"--demo", "--script", ""},
        {"--demo", "--export-script", "s", "--times", "1", "--out", "d"},
        {"--demo", "--export-script", "t.png", "--timeline", "./t.png"},
    };
    for (const auto& args : bad) {
        RenderOptions o;
        std::string error;
        EXPECT_FALSE(parse(args, &o, &error)) << (args.empty() ? "(none)" : args[0]);
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos) << "one line";
    }
}

TEST(RenderOptions, TimesNamingOneFileMustShareTheFrameAndMinusZeroIsZero)
{
    RenderOptions o;
    std::string error;
    ASSERT_TRUE(parse({"--demo", "--times", "-0,1,1.001", "--out", "d"}, &o, &error)) << error;
    EXPECT_EQ(o.fileName(o.times[0]), "demo-0.00.png");
    EXPECT_EQ(o.frameAt(1.001), 60) << "1 and 1.001 are one frame at 60 fps, so one file is right";

    struct Case {
        std::vector<const char*> args;
        const char* named;
    };
    const Case colliding[] = {
        {{"--demo", "--times", "0.008,0.0086", "--out", "d"}, "0.008 and 0.0086"},                 // frames 0, 1
        {{"--demo", "--times", "1.001,1.002", "--out", "d", "--fps", "1000"}, "1.001 and 1.002"}, // 1001, 1002
    };
    for (const Case& c : colliding) {
        RenderOptions refused;
        EXPECT_FALSE(parse(c.args, &refused, &error)) << c.named;
        EXPECT_NE(error.find(c.named), std::string::npos) << error;
    }
}

TEST(RenderOptions, ScaleIsAWholeNumberFromOneToFourAndLeavesTheTimelineAlone)
{
    RenderOptions plain, scaled;
    std::string error;
    ASSERT_TRUE(parse({"--demo", "--times", "1", "--out", "d"}, &plain, &error)) << error;
    EXPECT_EQ(plain.scale, 1);
    ASSERT_TRUE(parse({"--demo", "--video", "v.mp4", "--scale", "4", "--contact-sheet", "s.png"}, &scaled, &error))
        << error;
    EXPECT_EQ(scaled.scale, 4);

    for (const char* bad : {"0", "5", "2.5", " 2", "2x", "-1", "+2", "99999999999999999999"}) {
        RenderOptions o;
        EXPECT_FALSE(parse({"--demo", "--times", "1", "--out", "d", "--scale", bad}, &o, &error)) << bad;
        EXPECT_EQ(error, "bad --scale '" + std::string(bad) + "': expected a whole number from 1 to 4");
    }
    RenderOptions timeline, list;
    EXPECT_FALSE(parse({"--demo", "--timeline", "t.png", "--scale", "2"}, &timeline, &error));
    EXPECT_NE(error.find("--timeline is drawn at its own size"), std::string::npos) << error;
    EXPECT_TRUE(parse({"--demo", "--timeline", "t.png", "--scale", "1"}, &timeline, &error)) << error;
    EXPECT_FALSE(parse({"--list", "--scale", "2"}, &list, &error));
    EXPECT_FALSE(parse({"--demo", "--times", "1", "--out", "d", "--scale"}, &list, &error));
    EXPECT_EQ(error, "--scale needs a value");
}

TEST(RenderOptions, QualityPicksTheVideoEncodingAndGoesWithAVideoOnly)
{
    using Q = RenderOptions::Quality;
    struct Case {
        std::vector<const char*> args;
        bool ok;
        Q quality;
        const char* error;
    };
    const std::vector<Case> cases = {
        {{"--demo", "--video", "v.mp4"}, true, Q::Good, ""},
        {{"--demo", "--video", "v.mp4", "--quality", "draft"}, true, Q::Draft, ""},
        {{"--demo", "--quality", "best", "--video", "v.mp4"}, true, Q::Best, ""},
        {{"--demo", "--video", "v.mp4", "--quality", "good"}, true, Q::Good, ""},
        {{"--demo", "--video", "v.mp4", "--quality", "Best"}, false, Q::Good,
         "bad --quality 'Best': expected draft, good or best"},
        {{"--demo", "--video", "v.mp4", "--quality", ""}, false, Q::Good,
         "bad --quality '': expected draft, good or best"},
        {{"--demo", "--video", "v.mp4", "--quality"}, false, Q::Good, "--quality needs a value"},
        {{"--demo", "--contact-sheet", "s.png", "--quality", "draft"}, false, Q::Good, "--quality goes with --video"},
        {{"--effect", "Clouds", "--times", "1", "--out", "d", "--quality", "best"}, false, Q::Good,
         "--quality goes with --video"},
    };
    for (const Case& c : cases) {
        RenderOptions o;
        std::string error;
        EXPECT_EQ(parse(c.args, &o, &error), c.ok) << c.args.back();
        EXPECT_EQ(error, c.error) << c.args.back();
        if (c.ok) {
            EXPECT_EQ(o.quality, c.quality) << c.args.back();
        }
    }
    // Draft encodes fastest, best finest; good is the encoding videos always had.
    EXPECT_STREQ(RenderOptions::x264Preset(Q::Good), "medium");
    EXPECT_EQ(RenderOptions::x264Crf(Q::Good), 18);
    EXPECT_GT(RenderOptions::x264Crf(Q::Draft), RenderOptions::x264Crf(Q::Good));
    EXPECT_LT(RenderOptions::x264Crf(Q::Best), RenderOptions::x264Crf(Q::Good));
}

// On a terminal the line is rewritten at every frame; elsewhere at each tenth.
TEST(ProgressLine, ReportsFramesRateAndTimeLeft)
{
    EXPECT_EQ(ProgressLine::text(1290, 12900, 100.0), "frame 1290 / 12900 (10 %), 12.9 fps, 15:00 left");
    EXPECT_EQ(ProgressLine::text(12900, 12900, 1000.0), "frame 12900 / 12900 (100 %), 12.9 fps, 00:00 left");
    EXPECT_EQ(ProgressLine::text(10, 12900, 100.0), "frame 10 / 12900 (0 %), 0.1 fps, 35:48:20 left");
    EXPECT_EQ(ProgressLine::text(0, 100, 0.0), "frame 0 / 100 (0 %), 0.0 fps, --:-- left");

    ProgressLine piped(25, false, stderr), terminal(25, true, stderr);
    std::vector<long long> written;
    for (long long done = 1; done <= 25; ++done) {
        if (piped.due(done)) {
            written.push_back(done);
            piped.update(done, 1.0);
        }
        EXPECT_TRUE(terminal.due(done));
    }
    // Tenths of 25 frames are passed at 3 (1.2 tenths), 5, 8, 10, 13, 15, 18, 20, 23 and 25.
    EXPECT_EQ(written, (std::vector<long long>{3, 5, 8, 10, 13, 15, 18, 20, 23, 25}));
}
