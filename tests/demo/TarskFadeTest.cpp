#include "demo/TarskFade.h"
#include "support/HeadlessGL.h"
#include "support/TestQuads.h"

using namespace vell;

namespace {

using Pixel = std::array<uint8_t, 4>;

class TarskFadeTest : public HeadlessGLTest {
protected:
    void SetUp() override
    {
        HeadlessGLTest::SetUp();
        fade = std::make_unique<TarskFade>();
    }

    // Every pixel's RGB of the bound frame.
    static std::vector<uint8_t> rgb()
    {
        const auto frame = readFrame();
        std::vector<uint8_t> out;
        for (size_t i = 0; i < frame.size(); i += 4)
            out.insert(out.end(), frame.begin() + static_cast<long>(i), frame.begin() + static_cast<long>(i) + 3);
        return out;
    }

    std::unique_ptr<TarskFade> fade; // needs the context
};

} // namespace

TEST_F(TarskFadeTest, AlphaZeroKeepsTheFrameAndAlphaOneReplacesIt)
{
    drawFlatColor(0.2f, 0.9f, 0.4f, 1);
    const auto background = rgb();
    fade->fadeColor = vec4(1, 0, 1, 0);
    fade->draw();
    EXPECT_EQ(rgb(), background);

    fade = std::make_unique<TarskFade>();
    fade->draw();
    EXPECT_EQ(rgb(), std::vector<uint8_t>(background.size(), 0)) << "starts as opaque black";

    fade->fadeColor = vec4(0.2f, 0.4f, 0.6f, 1);
    fade->draw();
    const auto covered = rgb();
    for (size_t i = 0; i < covered.size(); i += 3)
        ASSERT_EQ((Pixel{covered[i], covered[i + 1], covered[i + 2], 0}), (Pixel{51, 102, 153, 0})) << i / 3;
}

TEST_F(TarskFadeTest, HalfGreyOverBlackReadsQuarterIntensity)
{
    fade->fadeColor = vec4(0.5f, 0.5f, 0.5f, 0.5f);
    fade->draw();
    for (const auto& p : {pixel(readFrame(), 0, 0), pixel(readFrame(), 240, 160), pixel(readFrame(), 479, 319)})
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(p[c], 64, 1) << "channel " << c;
}

TEST_F(TarskFadeTest, IgnoresDepthLeavesItUnchangedAndRestoresState)
{
    glEnable(GL_DEPTH_TEST);
    glClearDepthf(0.2f); // nearer than the quad
    glClear(GL_DEPTH_BUFFER_BIT);
    fade->fadeColor = vec4(1, 0, 0, 1);
    fade->draw();
    EXPECT_EQ(pixel(readFrame(), 240, 160), (Pixel{255, 0, 0, 255})) << "covers whatever is in front";

    glClearDepthf(1);
    glClear(GL_DEPTH_BUFFER_BIT);
    fade->draw();
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLboolean writes = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &writes);
    EXPECT_TRUE(writes);
    drawFlatColor(0, 1, 0, 1); // at the quad's depth: passes only if the fade wrote none
    EXPECT_EQ(pixel(readFrame(), 240, 160), (Pixel{0, 255, 0, 255}));
}
