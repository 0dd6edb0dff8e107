// The whole demo frame by frame from the first, as the headless renderer runs
// it but at 20 frames per second (a third of the work): no GL error (one ends
// the process) and the reference frame at each cue.
#include "HostClock.h"
#include "PresentedColour.h"
#include "anim/Anim.h"
#include "demo/Mirande.h"
#include "support/ClockControl.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"
#include "utils/Timer.h"
#include "utils/Utils.h"

#include <algorithm>
#include <cmath>

namespace {

class MirandeRun : public HeadlessGLTest {
protected:
    static constexpr int kFps = 20;

    // Draws the frames from *frame up to the one at seconds, a step of 1/kFps each.
    static void playTo(Mirande& demo, double seconds, long long* frame)
    {
        for (const long long last = std::llround(seconds * kFps); *frame <= last; ++*frame) {
            HostClock::advance();
            demo.update();
        }
    }

    static std::vector<uint8_t> presentedFrame()
    {
        PresentedColour source;
        source.bind(PresentedColour::boundRenderbuffer());
        return readFrame();
    }

    // Lowest and highest colour level of a frame.
    static std::pair<int, int> levels(const std::vector<uint8_t>& frame)
    {
        int low = 255, high = 0;
        for (size_t i = 0; i < frame.size(); ++i)
            if (i % 4 != 3) {
                low = std::min<int>(low, frame[i]);
                high = std::max<int>(high, frame[i]);
            }
        return {low, high};
    }
};

} // namespace

TEST_F(MirandeRun, WholeDemoMatchesItsGoldenCueFrames)
{
    HostClock::useFixedStep(1.0 / kFps);
    Mirande demo;
    demo.init();
    long long frame = 0;
    for (double cue : {0.5, 11.5, 20.0, 27.4, 40.0, 62.0, 78.0, 80.5, 100.0, 112.0, 140.0, 150.0, 165.0, 180.0,
                       205.0, 215.0}) {
        playTo(demo, cue, &frame);
        const std::vector<uint8_t> pixels = presentedFrame();
        EXPECT_TRUE(matchesGolden(pixels, 480, 320, frameName("Mirande", static_cast<float>(cue))));
        if (cue == 27.4) { // white at alpha 0.5 over anything: at least 0.25 of full
            EXPECT_GE(levels(pixels).first, 63);
        }
        if (cue == 215.0) { // after the last change only the clear fade draws
            EXPECT_EQ(levels(pixels).second, 0);
        }
    }
    HostClock::useFixedStep(1.0 / 60);
}

// The throwaway demo that warms the renderer leaves nothing behind: no track
// bound, the clock at 0, the log open, and a demo after it draws as ever.
TEST_F(MirandeRun, WarmingTheRendererLeavesNothingAndTheDemoMatchesItsGoldenFrame)
{
    const std::size_t tracks = Anim::trackCount();
    testing::internal::CaptureStdout();
    Mirande::warmRenderer();
    vell::Log::msg("after");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "after\n");
    EXPECT_EQ(Anim::trackCount(), tracks);
    EXPECT_EQ(vell::Timer::getInstance()->getTime(), 0.0f);

    HostClock::useFixedStep(1.0 / kFps);
    Mirande demo;
    demo.init();
    long long frame = 0;
    playTo(demo, 11.5, &frame);
    EXPECT_TRUE(matchesGolden(presentedFrame(), 480, 320, frameName("Mirande", 11.5f)));
    HostClock::useFixedStep(1.0 / 60);
}
