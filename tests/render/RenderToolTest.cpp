// Runs the headless renderer as users do.
#include "framework/EffectFactory.h"
#include "support/RenderTool.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status;
    std::string out; // stdout and stderr
};

// shell runs first, in the same subshell (limits, traps).
ToolRun render(const std::string& args, const std::string& shell = "")
{
    const std::string command = "(" + shell + "exec " + QUENFOLD_RENDER_PATH + " " + args + ") 2>&1";
    ToolRun run{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 512> buffer;
    while (fgets(buffer.data(), buffer.size(), pipe))
        run.out += buffer.data();
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A shell line run with R the renderer and D the folder, its output and errors captured.
RenderRun runLine(const std::string& line, const fs::path& dir)
{
    return runCommand(std::string("R=") + QUENFOLD_RENDER_PATH + " D=" + dir.string() + "; (" + line + ") 2>&1");
}

// text with its "$D" standing for the folder.
std::string inFolder(std::string text, const fs::path& dir)
{
    if (const size_t at = text.find("$D"); at != std::string::npos)
        text.replace(at, 2, dir.string());
    return text;
}

class RenderToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("quenfold-render-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

} // namespace

TEST_F(RenderToolTest, WritesOneFramePerRequestedTimeAndReportsTheRate)
{
    const ToolRun run = render("--demo --times 0.5,0 --out " + (dir / "frames").string());
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(fs::exists(dir / "frames" / "demo-0.00.png"));
    EXPECT_TRUE(fs::exists(dir / "frames" / "demo-0.50.png"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "frames"), fs::directory_iterator()), 2);
    const std::string lastLine = run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1);
    EXPECT_TRUE(testing::internal::RE::FullMatch(lastLine, "rendered 31 frames in [0-9.]+ s \\([0-9.]+ fps\\)\n"))
        << lastLine;
    const std::string resources = "Reading resources from " + fs::canonical(QUENFOLD_RESOURCE_DIR).string() + "\n";
    EXPECT_NE(run.out.find(resources), std::string::npos) << run.out;
}

TEST_F(RenderToolTest, AScaledFrameHasScaleTimesThePixelsEachWay)
{
    const ToolRun run = render("--effect QuadLand2 --scale 2 --times 0.1 --out " + dir.string());
    ASSERT_EQ(run.status, 0) << run.out;
    // The PNG's header: width and height, big-endian, at bytes 16 and 20.
    const std::string png = slurp(dir / "QuadLand2-0.10.png");
    ASSERT_GE(png.size(), 24u);
    const auto word = [&](size_t at) {
        return (static_cast<uint8_t>(png[at]) << 24) | (static_cast<uint8_t>(png[at + 1]) << 16) |
               (static_cast<uint8_t>(png[at + 2]) << 8) | static_cast<uint8_t>(png[at + 3]);
    };
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    EXPECT_EQ(word(16), 960);
    EXPECT_EQ(word(20), 640);
}

TEST_F(RenderToolTest, CheckGlCountsErrorsAtTheEnd)
{
    const ToolRun run = render("--demo --check-gl --times 0.1 --out " + (dir / "frames").string());
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1), "GL errors: 0\n");
    EXPECT_EQ(render("--demo --times 0.1 --out " + (dir / "plain").string()).out.find("GL errors"), std::string::npos);
}

// Data on stdout, everything else (the demo's log, progress, the summary) on
// stderr, whatever the mode: a frame run leaves stdout empty, a run with field
// lines and a contact sheet writes exactly its field line there.
TEST_F(RenderToolTest, StandardOutputHoldsOnlyData)
{
    const std::string out = " --out " + (dir / "frames").string();
    const std::string sheet = " --contact-sheet " + (dir / "sheet.png").string();
    const struct {
        std::string args;
        const char* stdoutPattern;
    } cases[] = {
        {"--demo --check-gl --times 0.1" + out, ""},
        {"--demo --fields --times 0.1" + sheet, "\\{\"time\":0\\.1[0-9]*,.*\\}\n"},
        {"--help", "usage: quenfold-render .*"},
    };
    fs::create_directories(dir);
    const std::string log = (dir / "log.txt").string();
    for (const auto& c : cases) {
        const RenderRun run = runCommand(std::string(QUENFOLD_RENDER_PATH) + " " + c.args + " 2>" + log);
        EXPECT_EQ(run.status, 0) << c.args;
        EXPECT_TRUE(testing::internal::RE::FullMatch(run.out, c.stdoutPattern)) << c.args << "\n" << run.out;
        if (&c == &cases[0]) {
            const std::string text = slurp(log);
            EXPECT_NE(text.find("\nLand "), std::string::npos) << "the demo's log\n" << text;
            EXPECT_NE(text.find("\nGL errors: 0\n"), std::string::npos) << text;
        }
    }
}

TEST_F(RenderToolTest, RunsAreDeterministic)
{
    ASSERT_EQ(render("--demo --times 1 --out " + (dir / "a").string()).status, 0);
    ASSERT_EQ(render("--demo --times 1 --out " + (dir / "b").string()).status, 0);
    const std::string a = slurp(dir / "a" / "demo-1.00.png");
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, slurp(dir / "b" / "demo-1.00.png"));
}

TEST_F(RenderToolTest, BadArgumentsExitTwoWithUsageAndWriteNothing)
{
    fs::create_directories(dir);
    std::ofstream(dir / "plain-file") << "x";
    const std::string out = (dir / "out").string();
    for (const std::string& args : std::vector<std::string>
         {"--bogus", "--demo --times -3 --out " + out, "--demo --times x --out " + out,
          "--effect NoSuchEffect --times 1 --out " + out,
          "--demo --times 1 --out " + (dir / "plain-file" / "sub").string(),
          "--demo --times 0.008,0.0086 --out " + out}) {
        const ToolRun run = render(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_NE(run.out.find("usage: quenfold-render"), std::string::npos) << args;
    }
    EXPECT_FALSE(fs::exists(out));
    EXPECT_FALSE(fs::exists(dir / "plain-file" / "sub"));
}

TEST_F(RenderToolTest, ListPrintsTheRegistryAndSucceeds)
{
    const ToolRun run = render("--list");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out.find("rendered"), std::string::npos);

    // The catalogue's head, at the same places in the tool and in this program.
    const char* const places[] = {"LandRain", "QuadLand2", "TriangleRain4", "TriangleRain3",
                                  "TriangleRain2", "TriangleRain", "SorvLogo2", "SorvLogo", "FakeGI", "QuadLand"};
    std::istringstream lines(run.out);
    std::string line;
    for (int i = 0; i < static_cast<int>(std::size(places)); ++i) {
        std::getline(lines, line);
        EXPECT_EQ(line, places[i]) << "place " << i;
        EXPECT_STREQ(EffectFactory::getInstance()->getEffectName(i), places[i]) << "place " << i;
    }
}

TEST_F(RenderToolTest, AFailedWriteFailsTheRunAndTakesAwayWhatItMade)
{
    fs::create_directories(dir);
    std::ofstream(dir / ".quenfold-render-probe") << "mine";
    // A file size limit of one block stands in for a full disk (the write fails with EFBIG, no SIGXFSZ).
    const ToolRun run = render("--effect QuadLand2 --times 0,0.05 --out " + (dir / "a" / "b").string(),
                               "ulimit -f 1; ");
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("quenfold-render: cannot write " + (dir / "a" / "b").string() + "/QuadLand2-0.00.png: "),
              std::string::npos) << run.out;
    EXPECT_FALSE(fs::exists(dir / "a")) << "every level the run made is gone";
    EXPECT_EQ(slurp(dir / ".quenfold-render-probe"), "mine");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

// Runs as a careful user tries them: signals, a full disk, odd paths and odd
// numbers. Each line is a shell command with R the renderer and D a folder that
// holds an older video and sheet; every run leaves D as it found it.
TEST_F(RenderToolTest, HostileRunsStopWithTheReasonAndSpareOlderFiles)
{
    struct Case {
        const char* line;
        int status;
        std::string says; // $D stands for the folder
        const char* never; // "" for nothing
    };
    const Case cases[] = {
        {"sh -c '(sleep 1; kill -TERM $$) & exec \"$0\" \"$@\"' \"$R\" --demo --times 200 --out \"$D/frames\"",
         143, "quenfold-render: interrupted\n", "rendered"},
        {"setsid -w sh -c '(sleep 1; kill -INT 0) & exec \"$0\" \"$@\"' \"$R\" --demo --video \"$D/old.mp4\" "
         "--contact-sheet \"$D/old.png\"", 130, "quenfold-render: interrupted\n", "encoder"}, // Ctrl-C: ffmpeg too
        {"sh -c '(sleep 1; kill -HUP $$) & exec \"$0\" \"$@\"' \"$R\" --demo --video \"$D/old.mp4\"; s=$?; "
         "pgrep -f \"$D/\\.old\\.mp4\\.\" >/dev/null && echo ffmpeg runs on; exit $s", 129,
         "quenfold-render: interrupted\n", "ffmpeg runs on"}, // a closed terminal
        {"ulimit -f 1; \"$R\" --demo --contact-sheet \"$D/old.png\" --times 0", 1,
         "quenfold-render: cannot write $D/old.png: File too large\n", "wrote"},
        {"ulimit -f 1; \"$R\" --demo --timeline \"$D/old.png\"", 1,
         "quenfold-render: cannot write $D/old.png: File too large\n", "wrote"},
        {"ulimit -f 1; \"$R\" --demo --video \"$D/old.mp4\" --to 0.5", 1,
         "quenfold-render: ffmpeg failed to encode $D/old.mp4\n", "wrote"},
        {"cd \"$D\" && \"$R\" --demo --video ./old.png --contact-sheet old.png", 2, "need different files", "rendering"},
        {"\"$R\" --demo --video \"$D/old.mp4\" --from 0.001 --to 0.002", 2, "--from 0.001 --to 0.002 holds no frame",
         "rendering"},
        {"\"$R\" --demo --fields --times 0.1 2>&1 >/dev/full", 1,
         "quenfold-render: cannot write the field lines: No space left on device\n", "rendered"},
        {"\"$R\" --demo --contact-sheet /proc/sheet.png", 2, "cannot write the file '/proc/sheet.png'", "rendering"},
        {"PATH=/nonexistent \"$R\" --demo --video \"$D/old.mp4\"", 1,
         "quenfold-render: cannot run ffmpeg: No such file or directory", "rendering"},
        {"\"$R\" --demo --fields --times 0,0.001 2>/dev/null | cut -c1-10", 0, "{\"time\":0,\n{\"time\":0,\n", ""},
        {"\"$R\" --demo --times 1 --out \"$D/frames\" --fps ' 10'", 2, "bad --fps ' 10'", "rendered"},
        {"\"$R\" --demo --video \"$D/old.mp4\" --scale 2.5", 2, "bad --scale '2.5': expected a whole number", "rendering"},
        {"\"$R\" --demo --times 0x1p1 --out \"$D/frames\"", 2, "bad --times '0x1p1'", "rendered"},
        {"\"$R\" --demo --times 1 --out \"$(printf '/proc/a\\033b')\"", 2, "directory '/proc/a\\x1bb'\n", "\x1b"},
        {"\"$R\" --demo --video \"$(printf '/proc/a\\nb.mp4')\"", 2, "the file '/proc/a\\nb.mp4'\n", "rendering"},
    };
    for (const Case& c : cases) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::ofstream(dir / "old.mp4") << "older video";
        std::ofstream(dir / "old.png") << "older sheet";
        const RenderRun run = runLine(c.line, dir);
        const std::string says = inFolder(c.says, dir);
        EXPECT_EQ(run.status, c.status) << c.line << "\n" << run.out;
        EXPECT_NE(run.out.find(says), std::string::npos) << c.line << "\n" << run.out;
        if (*c.never) {
            EXPECT_EQ(run.out.find(c.never), std::string::npos) << c.line << "\n" << run.out;
        }
        EXPECT_EQ(slurp(dir / "old.mp4") + "|" + slurp(dir / "old.png"), "older video|older sheet") << c.line;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2) << c.line;
    }
}

// An output goes only to a regular file, or to a name that is free: each line
// sets up D, runs R and may test D afterwards. A refusal comes before anything
// is rendered, and no run leaves a hidden file behind.
TEST_F(RenderToolTest, OutputsReachOnlyRegularFilesOtherThanTheProgramsOwnOutput)
{
    struct Case {
        const char* line;
        int status;
        const char* says; // $D stands for the folder
    };
    const Case cases[] = {
        {"ln -s /dev/null \"$D/null\" && \"$R\" --demo --timeline \"$D/null\" && test -L \"$D/null\"", 2,
         "cannot write the file '$D/null': it is not a regular file\n"},
        {"ln -s /dev/full \"$D/full\" && \"$R\" --demo --video \"$D/full\" --to 1; s=$?; test -c /dev/full && exit $s",
         2, "cannot write the file '$D/full': it is not a regular file\n"},
        {"ln -s /proc/self/fd/1 \"$D/out\" && \"$R\" --demo --contact-sheet \"$D/out\"", 2,
         "cannot write the file '$D/out': it is not a regular file\n"}, // standard output, a pipe
        {"mkfifo \"$D/fifo\" && \"$R\" --demo --contact-sheet \"$D/fifo\" --times 1", 2,
         "cannot write the file '$D/fifo': it is not a regular file\n"},
        {"mkdir -p \"$D/f/demo-1.00.png\" && \"$R\" --demo --times 0,1 --out \"$D/f\"", 2,
         "cannot write the file '$D/f/demo-1.00.png': it is a directory\n"},
        {"mkdir \"$D/f\" && \"$R\" --demo --times 1 --out \"$D/f\" > \"$D/f/demo-1.00.png\"", 2,
         "cannot write the file '$D/f/demo-1.00.png': it is the standard output\n"},
        {"\"$R\" --demo --fields --times 1 --timeline \"$D/f.txt\" > \"$D/f.txt\"", 2,
         "cannot write the file '$D/f.txt': it is the standard output\n"},
        {"\"$R\" --demo --timeline \"$D/log\" 2> \"$D/log\"; s=$?; cat \"$D/log\"; exit $s", 2,
         "cannot write the file '$D/log': it is the standard error\n"},
        {"ln -s t.png \"$D/a.png\" && \"$R\" --demo --contact-sheet \"$D/t.png\" --timeline \"$D/a.png\"", 2,
         "need different files"}, // a link to an output not made yet
        {"ln -s missing/t.png \"$D/a.png\" && \"$R\" --demo --timeline \"$D/a.png\"", 2,
         "cannot write the file '$D/a.png'\n"},
        // A final link is followed, and stays a link to the new file.
        {"ln -s t.png \"$D/a.png\" && \"$R\" --demo --timeline \"$D/a.png\" && test -L \"$D/a.png\" && test -s \"$D/t.png\"",
         0, "wrote $D/a.png\n"},
        {"mkdir \"$D/f\" && ln -s ../t.png \"$D/f/demo-1.00.png\" && \"$R\" --demo --times 1 --out \"$D/f\" && "
         "test -L \"$D/f/demo-1.00.png\" && test -s \"$D/t.png\"", 0, "rendered 61 frames"},
    };
    for (const Case& c : cases) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        const RenderRun run = runLine(c.line, dir);
        const std::string says = inFolder(c.says, dir);
        EXPECT_EQ(run.status, c.status) << c.line << "\n" << run.out;
        EXPECT_NE(run.out.find(says), std::string::npos) << c.line << "\n" << run.out;
        if (c.status != 0) {
            EXPECT_EQ(run.out.find("rendering"), std::string::npos) << c.line << "\n" << run.out;
            EXPECT_EQ(run.out.find("timeline 1920x"), std::string::npos) << c.line << "\n" << run.out;
        }
        for (const auto& entry : fs::recursive_directory_iterator(dir))
            EXPECT_NE(entry.path().filename().string()[0], '.') << c.line << ": " << entry.path();
    }
}
