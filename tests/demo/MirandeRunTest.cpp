// The whole demo frame by frame from the first, as the headless renderer runs
// it but at 20 frames per second (a third of the work): no GL error (one ends
// the process) and the reference frame at each cue.
#include "HostClock.h"
#include "PresentedColour.h"
#include "demo/Mirande.h"
#include "support/ClockControl.h"
#include "support/Golden.h"
#include "support/HeadlessGL.h"

#include <algorithm>
#include <cmath>

namespace {

class MirandeRun : public HeadlessGLTest {
protected:
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
    constexpr int fps = 20;
    HostClock::useFixedStep(1.0 / fps);
    Mirande demo;
    demo.init();
    long long frame = 0;
    for (double cue : {0.5, 11.5, 20.0, 27.4, 40.0, 62.0, 78.0, 80.5, 100.0, 112.0, 140.0, 150.0, 165.0, 180.0,
                       205.0, 215.0}) {
        for (const long long last = std::llround(cue * fps); frame <= last; ++frame) {
            HostClock::advance();
            demo.update();
        }
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
