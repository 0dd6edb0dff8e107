#include "HostClock.h"
#include "utils/Timer.h"

#include <gtest/gtest.h>

using vell::Timer;

namespace {

// A fresh clock reading platform time from a fixed-step host clock.
struct TimerTest : ::testing::Test {
    void SetUp() override
    {
        HostClock::useFixedStep(1.0 / 60.0);
        HostClock::set(0);
    }
    void TearDown() override { HostClock::useMonotonic(); }

    void step()
    {
        HostClock::advance();
        timer.update();
    }

    Timer timer;
};

} // namespace

TEST_F(TimerTest, FirstUpdateTakesStartAndFrameTimeFromZero)
{
    EXPECT_EQ(timer.getTime(), 0.0f);
    step();
    EXPECT_EQ(timer.getTime(), 0.0f);
    EXPECT_FLOAT_EQ(timer.getFrameTime(), 1.0f / 60.0f); // previousTime starts at 0
    EXPECT_EQ(timer.getTotalFrameCount(), 1);
    step();
    EXPECT_FLOAT_EQ(timer.getTime(), 1.0f / 60.0f);
}

TEST_F(TimerTest, ZeroReadingLeavesStartUnset)
{
    timer.update(); // the platform clock still reads exactly 0
    step();
    EXPECT_EQ(timer.getTime(), 0.0f) << "the start is taken by the first non-zero reading";
}

TEST_F(TimerTest, FpsAppearsOnThe33rdUpdateTruncatedToHundredths)
{
    for (int i = 0; i < 32; ++i) {
        step();
        EXPECT_EQ(timer.getFPS(), 0.0f);
    }
    // 33 frames over 33 / 59.999 seconds read 59.999 fps: reported as 59.99, never rounded up.
    HostClock::set(1.0 / 60.0 + 33.0 / 59.999);
    timer.update();
    EXPECT_FLOAT_EQ(timer.getFPS(), 59.99f);
}

TEST_F(TimerTest, EachWindowOf33UpdatesStartsAfresh)
{
    HostClock::useFixedStep(1.0 / 64.0); // readings exact in float
    // Window one runs from 1/64 to 33/64 s: 33 / (32/64) = 66 fps. Window two,
    // from that reading to 66/64 s: 33 / (33/64) = 64 fps.
    for (int update = 1; update <= 66; ++update) {
        step();
        const float expected = update < 33 ? 0.0f : update < 66 ? 66.0f : 64.0f;
        ASSERT_EQ(timer.getFPS(), expected) << "update " << update;
    }
}

TEST_F(TimerTest, ShiftMovesDemoTime)
{
    timer.setTimeShift(-5);
    EXPECT_EQ(timer.getTime(), -5.0f);
    step();
    step();
    EXPECT_FLOAT_EQ(timer.getTime(), 1.0f / 60.0f - 5.0f);
}

TEST_F(TimerTest, SetTimeMakesGetTimeReturnItWithoutDisturbingFrameTimes)
{
    step();
    step();
    timer.setTime(27.4f);
    EXPECT_FLOAT_EQ(timer.getTime(), 27.4f);
    EXPECT_EQ(timer.getFrameTime(), 0.0f) << "the jump itself takes no time";
    step();
    EXPECT_FLOAT_EQ(timer.getFrameTime(), 1.0f / 60.0f) << "the next frame lasts one step, not the jump";
    EXPECT_FLOAT_EQ(timer.getTime(), 27.4f + 1.0f / 60.0f);
}

TEST_F(TimerTest, SecondUpdateInAFrameCountsTwiceAndShortensFrameTime)
{
    step();
    step();
    HostClock::set(2.0 / 60.0 + 0.004); // 4 ms into the frame, an effect updates again
    timer.update();
    EXPECT_EQ(timer.getTotalFrameCount(), 3);
    EXPECT_NEAR(timer.getFrameTime(), 0.004f, 1e-6f);
}
