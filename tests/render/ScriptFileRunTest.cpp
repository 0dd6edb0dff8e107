// The script file through the headless renderer: exported, read back, edited.
#include "ImageFile.h"
#include "support/RenderTool.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class ScriptFileRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("quenfold-script-" + std::to_string(getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string at(const char* name) const { return (dir / name).string(); }
    void write(const char* name, const std::string& text) const { std::ofstream(at(name)) << text; }
    std::string read(const std::string& path) const
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path dir;
};

// Stars.alpha's first key moved from 107 s to 105 s; its other key as built in.
const char* const kMovedAlpha = "field Stars.alpha float\n  105 0 linear\n  108 1 step\n";

} // namespace

TEST_F(ScriptFileRun, TheExportedScriptPlaysTheSameFramesAndFieldsAsTheBuiltInOne)
{
    const RenderRun exported = runRender("--demo --export-script " + at("demo.script"));
    ASSERT_EQ(exported.status, 0) << exported.out;
    const std::string text = read(at("demo.script"));
    EXPECT_NE(text.find("\nfield TarskFade.fadeColor vec4\n  0 0 0 0 0 linear\n  5 0 0 0 0 step\n"
                        "  26.8 1 1 1 1 linear\n  28 0 0 0 0 step\n"),
              std::string::npos) << text;
    EXPECT_NE(text.find("\nfield Stars.enabled bool\n  107 true\n  114.08 true\n"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no temporary left";

    // Read back and written again: the same text.
    const RenderRun again = runRender("--demo --script " + at("demo.script") + " --export-script " + at("again"));
    ASSERT_EQ(again.status, 0) << again.out;
    EXPECT_EQ(read(at("again")), text);

    const std::string times = " --times 27.4,112,165,205 --fps 2"; // few frames: the keys are what differs
    const RenderRun builtIn = runRender("--demo --fields" + times, false);
    const RenderRun fromFile = runRender("--demo --fields --script " + at("demo.script") + times, false);
    ASSERT_EQ(builtIn.status, 0);
    ASSERT_EQ(fromFile.status, 0);
    EXPECT_EQ(std::count(fromFile.out.begin(), fromFile.out.end(), '\n'), 4);
    EXPECT_EQ(fromFile.out, builtIn.out);

    ASSERT_EQ(runRender("--demo --out " + at("a") + " --times 27.4,112,165 --fps 2").status, 0);
    ASSERT_EQ(runRender("--demo --script " + at("demo.script") + " --out " + at("b") + " --times 27.4,112,165 --fps 2")
                  .status,
              0);
    for (const char* frame : {"demo-27.40.png", "demo-112.00.png", "demo-165.00.png"}) {
        const std::string a = read((dir / "a" / frame).string());
        EXPECT_FALSE(a.empty()) << frame;
        EXPECT_TRUE(a == read((dir / "b" / frame).string())) << frame;
    }
}

TEST_F(ScriptFileRun, AMovedKeyShowsInTheFieldsAndIsMarkedInTheTimeline)
{
    write("moved", kMovedAlpha);
    const std::string times = " --fields --times 106 --fps 1";
    const RenderRun builtIn = runRender("--demo" + times, false);
    const RenderRun moved = runRender("--demo --script " + at("moved") + " --timeline " + at("t.png") + times, false);
    ASSERT_EQ(builtIn.status, 0);
    ASSERT_EQ(moved.status, 0);
    // (106 - 105) / (108 - 105) = 1/3, as a float 0.333333343
    const std::string key = "\"Stars.alpha\":";
    const size_t at1 = builtIn.out.find(key), at2 = moved.out.find(key);
    ASSERT_NE(at2, std::string::npos) << moved.out;
    EXPECT_EQ(moved.out.substr(at2, key.size() + 12), key + "0.333333343,");
    EXPECT_EQ(moved.out.substr(0, 13), "{\"time\":106,\"");
    // Every other field as built in.
    const size_t end1 = builtIn.out.find(',', at1), end2 = moved.out.find(',', at2);
    EXPECT_EQ(builtIn.out.substr(0, at1) + builtIn.out.substr(end1), moved.out.substr(0, at2) + moved.out.substr(end2));

    // Rows start at 352, 44 apart; Stars.alpha is row 18 (the fields in the
    // table's order, less the nine enabled flags that are lanes), from 1144:
    // its mark, a bar at x 3 to 6 in (1, 0.45, 0.2); Stars.cameraZ above, unmarked.
    std::vector<uint8_t> rgba;
    int w = 0, h = 0;
    ASSERT_TRUE(ImageFile::read(at("t.png"), &rgba, &w, &h));
    const auto pixel = [&](int x, int y) {
        const uint8_t* p = &rgba[(static_cast<size_t>(y) * w + x) * 4];
        return std::to_string(p[0]) + " " + std::to_string(p[1]) + " " + std::to_string(p[2]);
    };
    EXPECT_EQ(pixel(4, 1150), "255 115 51");
    EXPECT_NE(pixel(4, 1150 - 44), "255 115 51");
}

TEST_F(ScriptFileRun, ABadScriptIsRefusedBeforeAnythingIsDrawnWithItsFileAndLine)
{
    write("typo", "field Stars.alpha float\n  107 0 linaer\n");
    const RenderRun typo = runRender("--demo --script " + at("typo") + " --times 1 --out " + at("frames"));
    EXPECT_EQ(typo.status, 2);
    EXPECT_EQ(typo.out, "quenfold-render: " + at("typo") +
                            ":2: unknown mode 'linaer' (step, linear, ease-in or ease-out)\n");

    // Found once the demo has loaded: still before its first frame.
    write("unknown", "\n" + std::string(kMovedAlpha) + "field Stars.alhpa float\n  1 0 step\n");
    const RenderRun unknown =
        runRender("--demo --script " + at("unknown") + " --times 1 --out " + at("frames") + " --fps 10");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.out.find("quenfold-render: " + at("unknown") + ":5: unknown field 'Stars.alhpa'\n"),
              std::string::npos) << unknown.out;
    EXPECT_FALSE(fs::exists(at("frames")));
    const RenderRun timeline = runRender("--demo --script " + at("unknown") + " --timeline " + at("t.png"));
    EXPECT_EQ(timeline.status, 2);
    EXPECT_FALSE(fs::exists(at("t.png")));

    EXPECT_EQ(runRender("--effect Clouds --script " + at("typo") + " --times 1 --out " + at("frames")).status, 2);
}
