#include "ImageHeader.h"
#include "ScaledResource.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

// Which file is read for a picture at each content scale, with its scaled files present or not.
TEST(ScaledResource, ChoosesTheFileForTheScaleOrFallsBackTo1x)
{
    struct Case {
        const char* name;
        int contentScale;
        std::set<std::string> present;
        const char* expected;
        int scale;
        bool missing;
    };
    const std::set<std::string> all = {"cloud.png", "cloud@2x.png", "cloud@4x.png"};
    const std::vector<Case> cases = {
        {"cloud.png", 1, all, "cloud.png", 1, false},
        {"cloud.png", 2, all, "cloud@2x.png", 2, false},
        {"cloud.png", 3, all, "cloud@4x.png", 4, false}, // 3x draws the 4x file
        {"cloud.png", 4, all, "cloud@4x.png", 4, false},
        {"cloud.png", 2, {"cloud.png", "cloud@4x.png"}, "cloud.png", 1, true}, // no 2x: 1x, not 4x
        {"cloud.png", 4, {"cloud.png", "cloud@2x.png"}, "cloud.png", 1, true},
        {"cloud.png", 1, {"cloud@2x.png"}, "cloud.png", 1, false}, // at 1x nothing else is looked for
        {"FontSupernatural.dat", 4, {"FontSupernatural@4x.dat"}, "FontSupernatural@4x.dat", 4, false},
        {"dir/kingfisher256x256.jpg", 2, {"dir/kingfisher256x256@2x.jpg"}, "dir/kingfisher256x256@2x.jpg", 2, false},
        // Pictures made at one size only are read as they are, whatever lies beside them.
        {"stripes.png", 4, {"stripes.png", "stripes@4x.png"}, "stripes.png", 1, false},
        {"cloud", 2, {"cloud@2x"}, "cloud", 1, false},
    };
    for (const Case& c : cases) {
        const ScaledResource::Choice choice = ScaledResource::choose(
            c.name, c.contentScale, [&](const std::string& f) { return c.present.count(f) > 0; });
        EXPECT_EQ(choice.name, c.expected) << c.name << " at " << c.contentScale;
        EXPECT_EQ(choice.scale, c.scale) << c.name << " at " << c.contentScale;
        EXPECT_EQ(choice.missing, c.missing) << c.name << " at " << c.contentScale;
    }
}

// Every picture the rule expects at 2x and 4x is generated, with 2 and 4 times its pixels.
TEST(ScaledResource, GeneratedFilesHaveTwiceAndFourTimesThePixels)
{
    const std::string dir = QUENFOLD_RESOURCE_DIR;
    int checked = 0;
    for (const char* name : {"FontSupernatural.png", "FontHelvetica.png", "mirandeLogo512x256.png",
                             "decrunching512x256.png", "tarsk_music512.png", "keln_code512.png", "gathra2.png",
                             "error_txt.png", "indicator01.png", "indicator09.png", "kingfisher256x256.jpg",
                             "marrowby256x256.jpg", "flare.png", "cloud.png", "ExampleTexturingSEMLightProbeWarm.png"}) {
        ASSERT_TRUE(ScaledResource::isScaled(name)) << name;
        int w1 = 0, h1 = 0;
        ASSERT_TRUE(ImageHeader::declaredSize(dir + "/" + name, &w1, &h1)) << name;
        for (int s : {2, 4}) {
            int w = 0, h = 0;
            const std::string scaled = ScaledResource::scaledName(name, s);
            ASSERT_TRUE(ImageHeader::declaredSize(dir + "/" + scaled, &w, &h)) << scaled;
            EXPECT_EQ(w, w1 * s) << scaled;
            EXPECT_EQ(h, h1 * s) << scaled;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 30);
}
