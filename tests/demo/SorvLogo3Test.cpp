#include "demo/SorvLogo3.h"
#include "geom/Geometry.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"
#include "support/ScratchResources.h"
#include "toolkit/GeometryGroup.h"
#include "utils/Timer.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

using namespace vell;

namespace {

std::string resourceText(const std::string& name)
{
    std::ifstream in(std::string(QUENFOLD_RESOURCE_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int countOccurrences(const std::string& text, const std::string& what)
{
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

class SorvLogo3Test : public HeadlessGLTest {
protected:
    // Built with the log captured; drawn at a demo time without advancing the clock.
    std::unique_ptr<SorvLogo3> make()
    {
        testing::internal::CaptureStdout();
        auto logo = std::make_unique<SorvLogo3>();
        constructionLog = testing::internal::GetCapturedStdout();
        return logo;
    }
    std::vector<uint8_t> drawAt(SorvLogo3& logo, float time)
    {
        Timer::getInstance()->setTimeShift(time);
        app->draw();
        logo.draw();
        return readFrame();
    }

    std::string constructionLog;
};

} // namespace

TEST_F(SorvLogo3Test, SixParticlesPerTriangleOfTheModelLoggedOnce)
{
    const std::string obj = resourceText("sorv05tri.obj");
    const int triangles = countOccurrences(obj, "\nf ");
    ASSERT_GT(triangles, 1000);
    const auto logo = make();
    EXPECT_EQ(countOccurrences(constructionLog, "num particles"), 1);
    EXPECT_NE(constructionLog.find("\n" + std::to_string(6 * triangles) + " num particles\n"), std::string::npos);
    EXPECT_EQ(logo->particleGeometry->getNumVertices(), 6u * triangles);
}

// Stage 3, and any stage without a model, show the sky alone.
TEST_F(SorvLogo3Test, OtherStagesAndAMissingModelDrawOnlyTheSky)
{
    const auto logo = make();
    logo->stage = 3;
    const auto skyOnly = drawAt(*logo, 170);
    double sum = 0;
    for (size_t i = 0; i < skyOnly.size(); i += 4)
        sum += skyOnly[i] + skyOnly[i + 1] + skyOnly[i + 2];
    EXPECT_GT(sum / (480 * 320), 20); // a lit sky, not the black clear

    ScratchResources empty; // no model, no shaders: only the log and the sky of the first
    const auto bare = make();
    EXPECT_NE(constructionLog.find("ERROR: GeomGroup::fromObjFile failed to load 'sorv05tri.obj'\n"), std::string::npos);
    EXPECT_NE(constructionLog.find("\n0 num particles\n"), std::string::npos) << constructionLog;
    EXPECT_EQ(bare->model, nullptr);
    logo->stage = 0;
    logo->model.reset();
    for (int stage : {0, 1, 2}) {
        logo->stage = stage;
        EXPECT_EQ(drawAt(*logo, 170), skyOnly) << stage;
        bare->stage = stage;
        bare->draw();
    }
}

TEST_F(SorvLogo3Test, ACreditAtHalfAlphaAddsHalfItsLightUpright)
{
    const auto logo = make();
    logo->stage = 3;
    const auto sky = drawAt(*logo, 166);
    logo->musicCreditAlpha = 1;
    const auto full = drawAt(*logo, 166);
    logo->musicCreditAlpha = 0.5f;
    const auto half = drawAt(*logo, 166);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    int compared = 0;
    double rowSum = 0, weight = 0;
    for (size_t i = 0; i < sky.size(); ++i) {
        if (i % 4 == 3)
            continue;
        const int added = full[i] - sky[i];
        rowSum += static_cast<double>(i / (480 * 4)) * added;
        weight += added;
        if (added < 20 || full[i] == 255)
            continue;
        ASSERT_NEAR(half[i] - sky[i], added / 2.0, 1.5) << i;
        ++compared;
    }
    EXPECT_GT(compared, 3000);
    // The credit's lettering sits in the lower part of its image.
    EXPECT_GT(rowSum / weight, 180);
}

TEST_F(SorvLogo3Test, TouchAtTheTopAndBottomEdgesMovesTheEyeToEitherSide)
{
    const auto logo = make();
    for (const auto& [y, x] : {std::pair{0, -10.0f}, {320, 10.0f}, {80, -5.0f}, {160, 0.0f}}) {
        logo->onMouseMove(123, y, 1);
        EXPECT_EQ(logo->cameraPosition.x, x) << y;
        EXPECT_EQ(logo->cameraPosition.y, 0);
        EXPECT_EQ(logo->cameraPosition.z, 3);
    }
}

using SorvLogo3Golden = SorvLogo3Test;

// The timeline's values at each time, set by hand.
TEST_F(SorvLogo3Golden, EveryStage)
{
    std::srand(1); // the points fall as in a fresh process
    const auto logo = make();
    struct Frame {
        const char* name;
        float time;
        int stage;
        float introPan, musicAlpha, codeAlpha, eventAlpha;
        vec3 position, target, up;
    };
    const Frame frames[] = {
        {"SorvLogo3Split-161.60", 161.6f, 0, 1, 0, 0, 0, {0, 0, 15}, {0, 0, 0}, {0, 1, 0}},
        {"SorvLogo3Split-164.60", 164.6f, 0, 0, 0.5f, 0, 0, {0, 0, 15}, {0, 0, 0}, {0, 1, 0}},
        {"SorvLogo3TwoTone-171.10", 171.1f, 1, 0, 0, 1, 0, {4, 0, -9}, {-5, 0, 0}, {0, 1, 0}},
        {"SorvLogo3Particles-179.00", 179, 2, 0, 0, 0, 0, {-7.3228f, 0, 11}, {-4.7368f, 0, 0}, {1, 0, 0}},
        {"SorvLogo3Event-200.00", 200, 2, 0, 0, 0, 1, {15, 0, 11}, {39.4737f, 0, 0}, {1, 0, 0}},
    };
    for (const Frame& f : frames) {
        logo->stage = f.stage;
        logo->introPan = f.introPan;
        logo->musicCreditAlpha = f.musicAlpha;
        logo->codeCreditAlpha = f.codeAlpha;
        logo->eventLogoAlpha = f.eventAlpha;
        logo->cameraPosition = f.position;
        logo->cameraTarget = f.target;
        logo->cameraUp = f.up;
        EXPECT_TRUE(matchesGolden(drawAt(*logo, f.time), 480, 320, f.name));
    }
}
