// Runs the headless renderer as users do.
#include "framework/EffectFactory.h"

#include <gtest/gtest.h>

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

class RenderToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("quenfold-render-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
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

TEST_F(RenderToolTest, CheckGlCountsErrorsAtTheEnd)
{
    const ToolRun run = render("--demo --check-gl --times 0.1 --out " + (dir / "frames").string());
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1), "GL errors: 0\n");
    EXPECT_EQ(render("--demo --times 0.1 --out " + (dir / "plain").string()).out.find("GL errors"), std::string::npos);
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
    // A file size limit of one block stands in for a full disk.
    const ToolRun run = render("--effect QuadLand2 --times 0,0.05 --out " + (dir / "a" / "b").string(),
                               "trap '' XFSZ; ulimit -f 1; ");
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("quenfold-render: cannot write " + (dir / "a" / "b").string() + "/QuadLand2-0.00.png: "),
              std::string::npos) << run.out;
    EXPECT_FALSE(fs::exists(dir / "a")) << "every level the run made is gone";
    EXPECT_EQ(slurp(dir / ".quenfold-render-probe"), "mine");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}
