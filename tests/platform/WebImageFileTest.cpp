// The page's image decoder (stb_image, built here as WebImageFile) against the
// desktop's: the same RGBA, top row first, and the same refusals.
#include "ImageFile.h"
#include "support/ScratchResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

class WebImageFile {
public:
    static bool writePng(const std::string& path, const std::vector<uint8_t>& rgba, int width,
                         int height, std::string* reason = nullptr);
    static bool read(const std::string& path, std::vector<uint8_t>* rgba, int* width, int* height);
};

namespace {

struct Decoded {
    bool ok = false;
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

Decoded desktop(const fs::path& path)
{
    Decoded d;
    d.ok = ImageFile::read(path.string(), &d.rgba, &d.width, &d.height);
    return d;
}

Decoded web(const fs::path& path)
{
    Decoded d;
    d.ok = WebImageFile::read(path.string(), &d.rgba, &d.width, &d.height);
    return d;
}

std::string bytesOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(WebImageFile, DecodesToTheDesktopsRgbaTopRowFirst)
{
    ScratchResources scratch;
    const std::vector<uint8_t> tiny = {255, 0, 0, 255, 255, 255, 255, 128, // top row
                                       0, 0, 255, 255, 0, 255, 0, 0};
    scratch.putImage("tiny.png", 2, 2, tiny);
    const Decoded page = web(scratch.path() / "tiny.png");
    ASSERT_TRUE(page.ok);
    EXPECT_EQ(page.width, 2);
    EXPECT_EQ(page.height, 2);
    EXPECT_EQ(page.rgba, tiny);

    int images = 0;
    for (const auto& entry : fs::directory_iterator(QUENFOLD_RESOURCE_DIR)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".png" && ext != ".jpg")
            continue;
        ++images;
        const Decoded a = desktop(entry.path()), b = web(entry.path());
        const std::string name = entry.path().filename().string();
        ASSERT_TRUE(a.ok && b.ok) << name;
        ASSERT_EQ(std::make_pair(a.width, a.height), std::make_pair(b.width, b.height)) << name;
        if (ext == ".png") {
            EXPECT_TRUE(a.rgba == b.rgba) << name << ": a lossless image decodes to the same bytes";
            continue;
        }
        // JPEG decoders round their transforms differently, by a few levels.
        long total = 0;
        int largest = 0;
        for (size_t i = 0; i < a.rgba.size(); ++i) {
            const int d = std::abs(a.rgba[i] - b.rgba[i]);
            total += d;
            largest = std::max(largest, d);
        }
        EXPECT_LT(static_cast<double>(total) / a.rgba.size(), 1.0) << name;
        EXPECT_LE(largest, 24) << name;
    }
    EXPECT_GT(images, 20) << "the resources hold the demo's images";
}

TEST(WebImageFile, RefusesWhatTheDesktopRefuses)
{
    ScratchResources scratch;
    std::vector<std::pair<std::string, std::string>> bad = {
        {"text.png", "not an image"},
        {"drawing.jpg", std::string("\xFF\xD8\xFF\xFF\xFF\xCF\x12\x12\x12\x12\xF6\x3C\x73\x76\x67\x00", 16)},
    };
    // Every cut of a PNG and a JPEG, down to the last byte of the end marker.
    for (const char* name : {"flare.png", "kingfisher256x256.jpg"}) {
        const std::string whole = bytesOf(fs::path(QUENFOLD_RESOURCE_DIR) / name);
        ASSERT_GT(whole.size(), 1000u) << name;
        std::vector<size_t> cuts;
        for (size_t n = 0; n + 16 < whole.size(); n += whole.size() / 40)
            cuts.push_back(n);
        for (size_t n = whole.size() - 16; n < whole.size(); ++n)
            cuts.push_back(n);
        for (size_t n : cuts)
            bad.emplace_back(std::to_string(n) + "-" + name, whole.substr(0, n));
    }
    for (const auto& [name, bytes] : bad) {
        scratch.put(name, bytes);
        const Decoded a = desktop(scratch.path() / name), b = web(scratch.path() / name);
        EXPECT_FALSE(a.ok) << name << " (desktop)";
        EXPECT_FALSE(b.ok) << name << " (page)";
    }
}
