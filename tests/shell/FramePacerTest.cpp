// Frames on 1/60 s ticks: an early frame waits for its tick, a late one is
// shown at once rather than a whole tick later still.
#include "FramePacer.h"

#include <gtest/gtest.h>

namespace {

constexpr double kTick = 1.0 / 60;

TEST(FramePacer, EarlyFramesWaitForTheirTickAndLateOnesShowAtOnce)
{
    FramePacer pacer(kTick);
    EXPECT_EQ(pacer.waitBefore(10.0), 0.0); // the first frame: at once
    // Drawn in 5 ms: shown on the tick at 10 + 1/60 s.
    EXPECT_NEAR(pacer.waitBefore(10.005), kTick - 0.005, 1e-9);
    // Drawn 22 ms after that tick: 5.3 ms late for the next, shown at once...
    EXPECT_EQ(pacer.waitBefore(10.0 + kTick + 0.022), 0.0);
    // ...and the ticks count on from it: the next frame, drawn in 4 ms, waits 1/60 s - 4 ms.
    EXPECT_NEAR(pacer.waitBefore(10.0 + kTick + 0.026), kTick - 0.004, 1e-9);
    // Drawn exactly on its tick: no wait.
    EXPECT_NEAR(pacer.waitBefore(10.0 + 3 * kTick + 0.022), 0.0, 1e-9);
}

TEST(FramePacer, EvenTicksHoldWhenEveryFrameIsOnTime)
{
    // Frames drawn 10 ms after each tick are shown on the ticks 0, 1/60, 2/60...: 16.7 ms apart, never drifting.
    FramePacer pacer(kTick);
    pacer.waitBefore(0);
    double shown = 0;
    for (int k = 1; k <= 600; ++k) {
        const double drawn = shown + 0.010;
        shown = drawn + pacer.waitBefore(drawn);
        ASSERT_NEAR(shown, k * kTick, 1e-9) << k;
    }
}

} // namespace
