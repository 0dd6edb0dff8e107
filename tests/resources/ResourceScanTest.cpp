#include "resources/ResourceScan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

bool contains(const std::vector<std::vector<std::string>>& refs, const std::vector<std::string>& entry)
{
    for (const auto& r : refs)
        if (r == entry)
            return true;
    return false;
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

} // namespace

TEST(ResourceScan, FindsPlainJoinedCubeAndCountedNames)
{
    const std::string source = R"(
        tex = Texture2D::fromFile("flare.png", false);
        sky = TextureCube::fromFile("blurred_light", "png");
        day = TextureCube::fromFile("day.png", "png");
        font = load(std::string("FontHelvetica") + ".dat");
        sprintf(name, "indicator%02d.png", i + 1);
        sprintf(face, "%s_%s.%s", base, suffix, ext);
        ext = ".png";
    )";
    const auto refs = referencedResources(source);
    EXPECT_TRUE(contains(refs, {"flare.png"}));
    EXPECT_TRUE(contains(refs, {"blurred_light_posx.png"}));
    EXPECT_TRUE(contains(refs, {"blurred_light_negz.png"}));
    EXPECT_TRUE(contains(refs, {"day.png_posx.png"}));
    EXPECT_FALSE(contains(refs, {"day.png"})) << "a cube base is not a file";
    EXPECT_TRUE(contains(refs, {"FontHelvetica.dat"}));
    EXPECT_TRUE(contains(refs, {"indicator00.png", "indicator01.png"}));
    for (const auto& r : refs)
        for (const auto& name : r) {
            EXPECT_NE(name, ".png");
            EXPECT_EQ(name.find("%s"), std::string::npos);
        }
}

TEST(ResourceScan, CommentsAndQuoteCharactersHideNoNamesAndLongTextIsScanned)
{
    const std::string longName(200000, 'x');
    const std::string source = "// \"commented.png\"\n"
                               "/* \"block.jpg\" */ quote = '\"'; kept = \"kept.obj\";\n"
                               "escaped = \"a\\\"b.png\"; big = \"" + longName + ".png\";\n" +
                               std::string(100000, ' ') + "last = \"last.glsl\";";
    const auto refs = referencedResources(source);
    EXPECT_TRUE(contains(refs, {"kept.obj"})) << "a quote in a character constant opens no string";
    EXPECT_TRUE(contains(refs, {longName + ".png"}));
    EXPECT_TRUE(contains(refs, {"last.glsl"}));
    EXPECT_EQ(refs.size(), 3u) << "names in comments and escaped strings are left out";
}

TEST(ResourceScan, EveryResourceNamedInTheSourcesExists)
{
    const std::string resources = QUENFOLD_RESOURCE_DIR;
    std::string missing;
    for (const char* dir : {"/apps", "/vettra"})
        for (const std::string& file : sourceFilesBelow(std::string(QUENFOLD_SOURCE_DIR) + dir))
            for (const auto& alternatives : referencedResources(readAll(file))) {
                bool present = false;
                for (const auto& name : alternatives)
                    present = present || std::filesystem::exists(resources + "/" + name);
                if (!present)
                    missing += " " + alternatives.back() + " (" + file + ")";
            }
    EXPECT_TRUE(missing.empty()) << "missing resources:" << missing;
}
