// Runs the headless renderer beside its own copy of the resources, in which one
// file at a time is missing, then broken (an image cut in half, a shader whose
// code no longer compiles): every run still ends cleanly, meets no GL error and
// names the file in its log, once per layer that notices it.
#include "framework/EffectFactory.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status = -1;
    std::string out; // standard output, then standard error marked as such
};

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void spit(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

int linesNaming(const std::string& out, const std::string& name)
{
    std::istringstream lines(out);
    int count = 0;
    for (std::string line; std::getline(lines, line);)
        count += line.find(name) != std::string::npos;
    return count;
}

// Access time a month before the modification time: a later read moves it past.
void ageAccessTime(const fs::path& path)
{
    struct stat st;
    if (stat(path.c_str(), &st) == 0) {
        const timespec times[2] = {{st.st_mtim.tv_sec - 30 * 86400, 0}, st.st_mtim};
        utimensat(AT_FDCWD, path.c_str(), times, 0);
    }
}

bool readSinceAged(const fs::path& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && st.st_atim.tv_sec >= st.st_mtim.tv_sec;
}

std::string garbled(std::string shader)
{
    for (size_t at = shader.find("main"); at != std::string::npos; at = shader.find("main", at))
        shader.replace(at, 4, "ma!n");
    return shader;
}

// The renderer (a hard link, or a copy) next to a copy of the resources.
class Sandbox {
public:
    explicit Sandbox(const std::string& tag)
        : root(fs::temp_directory_path() / ("quenfold-broken-" + std::to_string(getpid()) + "-" + tag))
    {
        fs::remove_all(root);
        fs::create_directories(root);
        std::error_code ec;
        fs::create_hard_link(QUENFOLD_RENDER_PATH, root / "quenfold-render", ec);
        if (ec)
            fs::copy_file(QUENFOLD_RENDER_PATH, root / "quenfold-render");
        fs::copy(QUENFOLD_RESOURCE_DIR, root / "resources", fs::copy_options::recursive);
    }
    ~Sandbox() { fs::remove_all(root); }
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    fs::path resources() const { return root / "resources"; }

    ToolRun render(const std::string& args) const
    {
        const std::string command = "cd '" + root.string() + "' && ./quenfold-render " + args + " --out frames 2>stderr";
        ToolRun run;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            std::array<char, 512> buffer;
            while (fgets(buffer.data(), buffer.size(), pipe))
                run.out += buffer.data();
            const int status = pclose(pipe);
            run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        const std::string err = slurp(root / "stderr");
        if (!err.empty())
            run.out += "[stderr]\n" + err;
        return run;
    }

    // The resource files a clean run reads.
    std::vector<std::string> filesRead(const std::string& args) const
    {
        std::vector<std::string> all, read;
        for (const auto& entry : fs::recursive_directory_iterator(resources())) {
            if (entry.is_regular_file()) {
                all.push_back(fs::relative(entry.path(), resources()).string());
                ageAccessTime(entry.path());
            }
        }
        const ToolRun run = render(args);
        EXPECT_EQ(run.status, 0) << args << "\n" << run.out;
        EXPECT_NE(run.out.find("GL errors: 0\n"), std::string::npos) << args << "\n" << run.out;
        for (const std::string& name : all) {
            if (readSinceAged(resources() / name))
                read.push_back(name);
        }
        return read;
    }

private:
    fs::path root;
};

struct Target {
    std::string name;
    std::string args;
};

void PrintTo(const Target& target, std::ostream* os)
{
    *os << target.args;
}

std::vector<Target> targets()
{
    std::vector<Target> list;
    const EffectFactory* factory = EffectFactory::getInstance();
    for (int i = 0; i < factory->getNumEffects(); ++i) {
        const std::string name = factory->getEffectName(i);
        list.push_back({name, "--effect " + name + " --times 0.5 --check-gl"});
    }
    return list;
}

class BrokenResources : public testing::TestWithParam<Target> {};

} // namespace

TEST_P(BrokenResources, EachFileMissingOrBrokenInTurnStillRendersCleanly)
{
    const Target& target = GetParam();
    const Sandbox sandbox(target.name);
    const std::vector<std::string> read = sandbox.filesRead(target.args);
    EXPECT_FALSE(read.empty()) << "an effect reads at least its shader";
    for (const std::string& name : read) {
        const fs::path path = sandbox.resources() / name;
        const std::string original = slurp(path);
        std::vector<std::pair<std::string, std::string>> faults{{"missing", ""}};
        if (path.extension() == ".png" || path.extension() == ".jpg")
            faults.emplace_back("truncated", original.substr(0, original.size() / 2));
        if (path.extension() == ".glsl")
            faults.emplace_back("garbled", garbled(original));
        for (const auto& [fault, bytes] : faults) {
            if (fault == "missing") {
                fs::remove(path);
            } else {
                spit(path, bytes);
            }
            const ToolRun run = sandbox.render(target.args);
            const std::string what = name + " " + fault + "\n" + run.out;
            EXPECT_EQ(run.status, 0) << what;
            EXPECT_NE(run.out.find("GL errors: 0\n"), std::string::npos) << what;
            const int naming = linesNaming(run.out, path.filename().string());
            EXPECT_GE(naming, 1) << what;
            EXPECT_LE(naming, 2) << what;
            spit(path, original);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, BrokenResources, testing::ValuesIn(targets()),
                         [](const testing::TestParamInfo<Target>& param) { return param.param.name; });
