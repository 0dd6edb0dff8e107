// The demo outputs of the headless renderer: field lines, video, contact sheet.
#include "ImageFile.h"
#include "support/RenderTool.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class DemoOutputs : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("quenfold-demo-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string at(const char* name) const { return (dir / name).string(); }
    fs::path dir;
};

// "key":value pairs of one flat JSON line, values as written.
std::vector<std::pair<std::string, std::string>> members(const std::string& line)
{
    static const std::regex member("\"([^\"]+)\":(\\[[^\\]]*\\]|[^,}]+)");
    std::vector<std::pair<std::string, std::string>> out;
    for (std::sregex_iterator i(line.begin(), line.end(), member), end; i != end; ++i)
        out.emplace_back((*i)[1], (*i)[2]);
    return out;
}

std::vector<float> numbers(const std::string& value)
{
    std::vector<float> out;
    std::istringstream in(value[0] == '[' ? value.substr(1, value.size() - 2) : value);
    for (std::string item; std::getline(in, item, ',');)
        out.push_back(std::strtof(item.c_str(), nullptr));
    return out;
}

std::string probe(const std::string& file, const std::string& entries)
{
    const std::string command = "ffprobe -v error -count_frames -of default=noprint_wrappers=1 -show_entries " +
                                entries + " " + file + " 2>&1";
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[256];
    while (pipe && fgets(buffer, sizeof(buffer), pipe))
        out += buffer;
    if (pipe)
        pclose(pipe);
    return out;
}

// The picture's layout, worked out by hand: 0 s at x 360, 7 pixels a second;
// lane i centred at row 134 + 24 i; nine lanes, so the field rows start at
// 124 + 9 * 24 + 12 = 352, one each 44 rows, key marks 34 to 40 rows below a row's top.
int timelineX(double t)
{
    return static_cast<int>(360 + 7 * t);
}

} // namespace

TEST_F(DemoOutputs, FieldLinesNameEveryAnimatedFieldWithItsValueAtThatFrame)
{
    const RenderRun run = runRender("--demo --fields --times 27.4,0.5", false);
    ASSERT_EQ(run.status, 0);
    std::istringstream lines(run.out);
    std::vector<std::string> got;
    for (std::string line; std::getline(lines, line);)
        got.push_back(line);
    ASSERT_EQ(got.size(), 2u) << run.out;

    // Flat JSON: a number, true/false, an integer or an array of 3 or 4 numbers per key.
    const std::string num = "-?[0-9]+(\\.[0-9]+)?(e[-+][0-9]+)?";
    const std::regex shape("\\{\"time\":" + num + "(,\"[A-Za-z0-9]+\\.[A-Za-z0-9]+\":(true|false|" + num +
                           "|\\[" + num + "(," + num + "){2,3}\\]))+\\}");
    for (const std::string& line : got)
        EXPECT_TRUE(std::regex_match(line, shape)) << line;

    const std::vector<std::string> expectedKeys = {
        "time", "PinkSky.enabled", "QuadLand2.enabled", "QuadLand2.renderToTexture", "QuadLand2.logoAlpha",
        "QuadLand2.scrollSpeed", "QuadLand2.heightScale", "QuadLand2.cameraHeight", "QuadLand2.rippleAmplitude",
        "QuadLand2.overheadCamera", "TriangleRain5.enabled", "TriangleRain5.alpha", "Piramid.enabled",
        "Piramid.pyramidZ", "Piramid.cameraHeight", "Piramid.fillColor", "Piramid.edgeColor",
        "Piramid.overheadCamera", "Piramid.pyramidY", "Piramid.freezeRotation", "Tunnel.enabled",
        "Tunnel.progress", "Tunnel.clearColor", "Stars.enabled", "Stars.cameraZ", "Stars.alpha", "Stars.starScale",
        "Rings.enabled", "Rings.spareVector", "Rings.stage", "Rings.blurStrength", "SorvLogo3.enabled",
        "SorvLogo3.introPan", "SorvLogo3.musicCreditAlpha", "SorvLogo3.stage", "SorvLogo3.codeCreditAlpha",
        "SorvLogo3.eventLogoAlpha", "SorvLogo3.cameraPosition", "SorvLogo3.cameraUp", "SorvLogo3.cameraTarget",
        "TarskFade.enabled", "TarskFade.fadeColor"};
    const auto early = members(got[0]);
    const auto flash = members(got[1]);
    std::vector<std::string> keys;
    for (const auto& [key, value] : flash)
        keys.push_back(key);
    EXPECT_EQ(keys, expectedKeys);

    const std::map<std::string, std::string> a(early.begin(), early.end()), b(flash.begin(), flash.end());
    EXPECT_NEAR(numbers(a.at("time"))[0], 0.5f, 1e-5f);
    EXPECT_EQ(a.at("QuadLand2.enabled"), "true");
    EXPECT_EQ(a.at("TriangleRain5.enabled"), "false");
    EXPECT_EQ(a.at("QuadLand2.scrollSpeed"), "0.800000012") << "0.8f needs nine digits to read back";
    EXPECT_EQ(a.at("SorvLogo3.stage"), "0");
    EXPECT_EQ(a.at("SorvLogo3.cameraPosition"), "[0,0,15]"); // before its first key: as constructed

    EXPECT_NEAR(numbers(b.at("time"))[0], 27.4f, 1e-4f);
    EXPECT_EQ(b.at("PinkSky.enabled"), "false");
    EXPECT_EQ(b.at("Piramid.enabled"), "true");
    EXPECT_NEAR(numbers(b.at("Piramid.pyramidZ"))[0], -143.5f, 1e-3f); // -150 + 130 * 0.4 / 8
    const std::vector<float> fade = numbers(b.at("TarskFade.fadeColor"));
    ASSERT_EQ(fade.size(), 4u);
    for (float c : fade)
        EXPECT_NEAR(c, 0.5f, 1e-4f); // white to clear over 26.8..28 s, halfway
}

TEST_F(DemoOutputs, VideoCarriesTheFramesOfItsStretchAndTheMusic)
{
    const RenderRun run = runRender("--demo --video " + at("clip.mp4") + " --from 1 --to 2.5");
    ASSERT_EQ(run.status, 0) << run.out;
    // Frames 0 to 149; stderr is no terminal, so a line at each tenth of them.
    const std::regex progress("frame ([0-9]+) / 150 \\(([0-9]+) %\\), [0-9.]+ fps, [0-9]{2}:[0-9]{2} left\n");
    std::vector<std::string> done;
    for (std::sregex_iterator i(run.out.begin(), run.out.end(), progress), end; i != end; ++i)
        done.push_back((*i)[1].str() + " " + (*i)[2].str());
    EXPECT_EQ(done, (std::vector<std::string>{"15 10", "30 20", "45 30", "60 40", "75 50", "90 60", "105 70",
                                              "120 80", "135 90", "150 100"}))
        << run.out;
    const std::string video = probe(at("clip.mp4"), "stream=codec_type,codec_name,width,height,r_frame_rate,nb_read_frames");
    EXPECT_NE(video.find("codec_name=h264\ncodec_type=video\nwidth=480\nheight=320\nr_frame_rate=60/1\nnb_read_frames=90"),
              std::string::npos) << video;
    EXPECT_NE(video.find("codec_name=aac\ncodec_type=audio"), std::string::npos) << video;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no temporary left";
}

// Also the draft quality: x264 writes its settings into the stream, the rate factor among them.
TEST_F(DemoOutputs, ScaledVideoHasScaleTimesThePixelsEachWay)
{
    const RenderRun run = runRender("--demo --scale 2 --quality draft --video " + at("clip.mp4") + " --to 0.5");
    ASSERT_EQ(run.status, 0) << run.out;
    std::ifstream in(at("clip.mp4"), std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(bytes.find("crf=23.0"), std::string::npos) << "draft's rate factor";
    const std::string video = probe(at("clip.mp4"), "stream=codec_type,width,height,nb_read_frames");
    EXPECT_NE(video.find("codec_type=video\nwidth=960\nheight=640\nnb_read_frames=30"), std::string::npos) << video;
    EXPECT_NE(video.find("codec_type=audio"), std::string::npos) << video;
}

TEST_F(DemoOutputs, FailedEncodeLeavesNoPartialFileAndSparesTheOldOne)
{
    std::ofstream(at("clip.mp4")) << "older video";
    const RenderRun run = runRender("--demo --video " + at("clip.mp4") + " --to 0.5", true, "PATH=/nonexistent");
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("ffmpeg"), std::string::npos) << run.out;
    std::ifstream old(at("clip.mp4"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "older video");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no temporary left";
}

TEST_F(DemoOutputs, ContactSheetLaysOutLabelledHalfSizeFrames)
{
    const RenderRun run = runRender("--demo --contact-sheet " + at("sheet.png") + " --times 0.5,1,2");
    ASSERT_EQ(run.status, 0) << run.out;
    std::vector<uint8_t> rgba;
    int w = 0, h = 0;
    ASSERT_TRUE(ImageFile::read(at("sheet.png"), &rgba, &w, &h));
    EXPECT_EQ(w, 3 * (240 + 8) + 8);
    EXPECT_EQ(h, 8 + 160 + 20 + 8);
    // Under each thumbnail, light text on the dark band.
    for (int cell = 0; cell < 3; ++cell) {
        int lit = 0;
        for (int y = 8 + 160; y < 8 + 160 + 20; ++y)
            for (int x = 8 + cell * 248; x < 8 + cell * 248 + 240; ++x)
                lit += rgba[(static_cast<size_t>(y) * w + x) * 4] > 160;
        EXPECT_GT(lit, 10) << "cell " << cell;
    }

    // At scale 2 the same layout with twice the pixels each way, the label too.
    const auto labelRows = [](const std::vector<uint8_t>& sheet, int width, int scale) {
        int rows = 0; // rows of the first cell's label band with light text
        for (int y = scale * (8 + 160); y < scale * (8 + 160 + 20); ++y) {
            bool lit = false;
            for (int x = scale * 8; x < scale * (8 + 240); ++x)
                lit = lit || sheet[(static_cast<size_t>(y) * width + x) * 4] > 160;
            rows += lit;
        }
        return rows;
    };
    const int rowsAtOne = labelRows(rgba, w, 1);
    ASSERT_EQ(runRender("--demo --scale 2 --contact-sheet " + at("sheet2.png") + " --times 0.5").status, 0);
    std::vector<uint8_t> twice;
    ASSERT_TRUE(ImageFile::read(at("sheet2.png"), &twice, &w, &h));
    EXPECT_EQ(w, 2 * (8 + 240 + 8));
    EXPECT_EQ(h, 2 * (8 + 160 + 20 + 8));
    EXPECT_GT(rowsAtOne, 5);
    EXPECT_EQ(labelRows(twice, w, 2), 2 * rowsAtOne);
}

// The gallery on one sheet: 22 cells in rows of five, each effect's frame
// halved exactly as it renders alone, however many effects ran before it in
// the process (IsoTerrain advances the clock in its draw; LutDistort comes last).
TEST_F(DemoOutputs, GallerySheetShowsEachEffectAsItRendersAlone)
{
    const RenderRun run = runRender("--gallery --contact-sheet " + at("gallery.png") + " --times 0.5 --fps 4");
    ASSERT_EQ(run.status, 0) << run.out;
    std::vector<uint8_t> sheet;
    int w = 0, h = 0;
    ASSERT_TRUE(ImageFile::read(at("gallery.png"), &sheet, &w, &h));
    EXPECT_EQ(w, 8 + 5 * (240 + 8));
    EXPECT_EQ(h, 8 + 5 * (160 + 20 + 8));
    const struct {
        const char* name;
        int cell; // place in the catalogue
    } alone[] = {{"IsoTerrain", 19}, {"LutDistort", 21}};
    for (const auto& e : alone) {
        ASSERT_EQ(runRender(std::string("--effect ") + e.name + " --times 0.5 --fps 4 --out " + dir.string()).status, 0);
        std::vector<uint8_t> frame;
        int fw = 0, fh = 0;
        ASSERT_TRUE(ImageFile::read(at((std::string(e.name) + "-0.50.png").c_str()), &frame, &fw, &fh));
        ASSERT_EQ(fw, 480);
        const int x0 = 8 + e.cell % 5 * 248, y0 = 8 + e.cell / 5 * 188;
        int differing = 0;
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 240; ++x)
                for (int c = 0; c < 3; ++c) {
                    const auto at = [&](int dx, int dy) { return frame[((2 * y + dy) * 480 + 2 * x + dx) * 4 + c]; };
                    const int halved = (at(0, 0) + at(1, 0) + at(0, 1) + at(1, 1) + 2) / 4;
                    differing += sheet[(static_cast<size_t>(y0 + y) * w + x0 + x) * 4 + c] != halved;
                }
        EXPECT_EQ(differing, 0) << e.name;
    }
}

TEST_F(DemoOutputs, TimelineLanesAgreeWithTheFieldLinesAndEveryKeyIsMarked)
{
    const RenderRun run = runRender("--demo --fps 1 --fields --times 5,20,30,78,100,110,140,150,170,212 --timeline " +
                                    at("timeline.png"), false);
    ASSERT_EQ(run.status, 0) << run.out;
    std::vector<uint8_t> rgba;
    int w = 0, h = 0;
    ASSERT_TRUE(ImageFile::read(at("timeline.png"), &rgba, &w, &h));
    EXPECT_EQ(w, 1920);
    EXPECT_EQ(h, 352 + 32 * 44 + 8 + 110 + 12) << "32 rows: 41 fields less 9 enabled ones";
    const auto brightest = [&](int x, int y) {
        const uint8_t* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
        return std::max({p[0], p[1], p[2]});
    };
    const char* const effects[] = {"PinkSky", "QuadLand2", "TriangleRain5", "Piramid", "Tunnel",
                                   "Stars",   "Rings",     "SorvLogo3",     "TarskFade"};
    std::istringstream lines(run.out);
    int checked = 0;
    for (std::string line; std::getline(lines, line); ++checked) {
        const auto fields = members(line);
        const std::map<std::string, std::string> value(fields.begin(), fields.end());
        const float t = numbers(value.at("time"))[0];
        for (int lane = 0; lane < 9; ++lane) {
            const bool enabled = value.at(std::string(effects[lane]) + ".enabled") == "true";
            EXPECT_EQ(brightest(timelineX(t), 134 + 24 * lane) > 100, enabled) << effects[lane] << " at " << t;
        }
    }
    EXPECT_EQ(checked, 10);
    // The tunnel's lane starts at its first enabled key, 77 s.
    EXPECT_LT(brightest(timelineX(77) - 1, 134 + 24 * 4), 60);
    EXPECT_GT(brightest(timelineX(77), 134 + 24 * 4), 100);

    // Stars.cameraZ is row 17; its keys are linear (yellow marks), two each on the beats.
    const int marks = 352 + 17 * 44 + 37;
    for (double key : {107.0, 114.08, 120.84, 127.6, 134.86}) {
        const uint8_t* p = &rgba[(static_cast<size_t>(marks) * w + timelineX(key)) * 4];
        EXPECT_TRUE(p[0] > 200 && p[1] > 170 && p[2] < 120)
            << "no key mark at " << key << ": " << +p[0] << " " << +p[1] << " " << +p[2];
    }
    for (double between : {103.0, 110.0, 117.5, 124.0, 131.0, 145.0})
        EXPECT_LT(brightest(timelineX(between), marks), 60) << "a mark at " << between;
}

TEST_F(DemoOutputs, MisusedDemoOptionsExitTwoAndWriteNothing)
{
    for (const std::string& args : std::vector<std::string>{
             "--effect QuadLand2 --video " + at("a.mp4"), "--demo --video " + at("a.mp4") + " --from 5 --to 5",
             "--demo --fields", "--demo --video " + at("a.mp4") + " --out " + at("frames"),
             "--demo --from 3 --contact-sheet " + at("a.png"), "--demo --video " + at("missing/a.mp4"),
             "--demo --times 1 --video " + at("a.mp4"), "--effect QuadLand2 --timeline " + at("a.png"),
             "--demo --timeline " + at("a.png") + " --contact-sheet " + (dir / "." / "a.png").string()}) {
        const RenderRun run = runRender(args);
        EXPECT_EQ(run.status, 2) << args << "\n" << run.out;
        EXPECT_NE(run.out.find("usage: quenfold-render"), std::string::npos) << args;
    }
    EXPECT_TRUE(fs::is_empty(dir));
}
