// The demo drawn at content scale 2 (960x640 pixels) is the picture drawn at
// scale 1: each frame box-filtered down to 480x320 stays close to its
// reference. A viewport, scissor rectangle, target or blur step left at its
// scale-1 size shows as a quarter-size or cut picture, thicker lines or a
// weaker blur.
#include "HeadlessContext.h"
#include "HostClock.h"
#include "ImageFile.h"
#include "PresentedColour.h"
#include "demo/Mirande.h"
#include "demo/Rings.h"
#include "math/Random.h"
#include "support/ClockControl.h"
#include "support/HeadlessGL.h"
#include "support/ScaledFrames.h"
#include "utils/Timer.h"

#include <cmath>
#include <filesystem>

namespace {

constexpr int kScale = 2;

class ContentScaleDemo : public HeadlessGLTest {
protected:
    static std::vector<uint8_t> reference(const std::string& name)
    {
        const auto path = std::filesystem::path(QUENFOLD_SOURCE_DIR) / "tests" / "golden" / (name + ".png");
        std::vector<uint8_t> rgba;
        int width = 0, height = 0;
        EXPECT_TRUE(ImageFile::read(path.string(), &rgba, &width, &height)) << path;
        return rgba;
    }
};

} // namespace

TEST_F(ContentScaleDemo, CueFramesAtScale2)
{
    // Mean absolute RGB difference allowed per cue, in levels: the delta seen
    // when these frames were first drawn, plus 0.3, rounded up to a half level.
    // Edges, wire lines and points are rasterised anew at each scale; most of
    // all the landscape's lines in its target, magnified over the frame. The
    // credits at 165 and 205 s come from their 2x lettering (1.03 and 1.19).
    const struct {
        double time, maxMeanDelta;
    } cues[] = {{0.5, 1.0},   {11.5, 1.0},  {20.0, 1.5},  {27.4, 3.0},  {40.0, 5.0},
                {62.0, 5.5},  {78.0, 3.0},  {100.0, 1.5}, {112.0, 1.5}, {140.0, 2.5},
                {150.0, 2.0}, {165.0, 1.5}, {180.0, 2.5}, {205.0, 1.5}, {215.0, 0.5}};
    constexpr int fps = 20; // as the scale-1 references were run
    ScaleScope scope(kScale);
    HostClock::useFixedStep(1.0 / fps);
    Mirande demo;
    demo.init();
    long long frame = 0;
    for (const auto& cue : cues) {
        for (const long long last = std::llround(cue.time * fps); frame <= last; ++frame) {
            HostClock::advance();
            demo.update();
        }
        const std::string name = frameName("Mirande", static_cast<float>(cue.time));
        PresentedColour source;
        source.bind(PresentedColour::boundRenderbuffer());
        EXPECT_TRUE(matchesAtScale(HeadlessContext::readFrame(), kScale, reference(name), name, cue.maxMeanDelta));
    }
    HostClock::useFixedStep(1.0 / 60);
}

// The blur of the rings' last seconds, which no cue frame shows: its steps
// are twice as many texels at scale 2 (measured 0.51; 5.9 with the steps of
// scale 1).
TEST_F(ContentScaleDemo, RingsBlurAtScale2)
{
    ScaleScope scope(kScale);
    TestApp frame;
    frame.init();
    glBindFramebuffer(GL_FRAMEBUFFER, frame.framebuffer);
    frame.draw();
    vell::randomSeed(1);
    Rings rings;
    rings.stage = 2;
    rings.blurStrength = 5.0f / 3; // as at 160 s
    vell::Timer::getInstance()->setTime(160);
    rings.draw();
    rings.draw();
    EXPECT_TRUE(matchesAtScale(HeadlessContext::readFrame(), kScale, reference("Rings-160.00"), "Rings-160.00", 1.0));
}
