#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The generator sits in the build root, next to the resource directory.
fs::path generatorPath()
{
    return fs::path(QUENFOLD_RESOURCE_DIR).parent_path() / "quenfold-resgen";
}

// Runs the generator without the MP3 encode; returns its standard output ("" on failure).
std::string generateInto(const fs::path& dir)
{
    const std::string cmd = "'" + generatorPath().string() + "' '" + dir.string() + "' --no-mp3";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return "";
    std::string out;
    std::array<char, 256> buf{};
    while (fgets(buf.data(), static_cast<int>(buf.size()), p))
        out += buf.data();
    return pclose(p) == 0 ? out : "";
}

std::string pcmHashLine(const std::string& output)
{
    const size_t at = output.find("pcm-hash ");
    return at == std::string::npos ? "" : output.substr(at, output.find('\n', at) - at);
}

std::vector<char> bytesOf(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(ResourceGenerator, TwoRunsWriteIdenticalFilesAndSound)
{
    ASSERT_TRUE(fs::exists(generatorPath())) << generatorPath();
    const fs::path base = fs::temp_directory_path() / ("quenfold-resgen-test-" + std::to_string(::getpid()));
    const std::string first = generateInto(base / "a");
    const std::string second = generateInto(base / "b");
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_FALSE(pcmHashLine(first).empty());
    EXPECT_EQ(pcmHashLine(first), pcmHashLine(second));

    size_t compared = 0;
    for (const auto& entry : fs::directory_iterator(base / "a")) {
        const fs::path other = base / "b" / entry.path().filename();
        ASSERT_TRUE(fs::exists(other)) << other;
        const std::vector<char> bytes = bytesOf(entry.path());
        EXPECT_EQ(bytes, bytesOf(other)) << entry.path().filename();
        // The build ran this same generator, so its copy must match too.
        EXPECT_EQ(bytes, bytesOf(fs::path(QUENFOLD_RESOURCE_DIR) / entry.path().filename())) << entry.path().filename();
        ++compared;
    }
    EXPECT_EQ(compared, static_cast<size_t>(std::distance(fs::directory_iterator(base / "b"), fs::directory_iterator())));
    EXPECT_GT(compared, 50u);
    fs::remove_all(base);
}
