#include "support/ClockControl.h"

#include "HostClock.h"
#include "utils/Timer.h"

#include <gtest/gtest.h>

#include <sstream>

void stopClock()
{
    HostClock::advance();
    vell::Timer::getInstance()->update();
    vell::Timer::getInstance()->update();
    EXPECT_EQ(vell::Timer::getInstance()->getFrameTime(), 0.0f);
}

float stepClock()
{
    vell::Timer::getInstance()->update();
    HostClock::advance();
    vell::Timer::getInstance()->update();
    const float dt = vell::Timer::getInstance()->getFrameTime();
    EXPECT_GT(dt, 0.0f);
    return dt;
}

std::string frameName(const char* effect, float time)
{
    std::ostringstream name;
    name.precision(2);
    name << effect << '-' << std::fixed << time;
    return name.str();
}
