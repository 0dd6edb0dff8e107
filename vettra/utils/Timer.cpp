#include "utils/Timer.h"

#include "utils/Platform.h"

#include <cmath>

namespace vell {

Timer* Timer::getInstance()
{
    static Timer* instance = new Timer(); // lives until the process ends
    return instance;
}

void Timer::update()
{
    if (fpsWindowStart == 0)
        fpsWindowStart = osGetTime();
    if (startTime == 0)
        startTime = osGetTime();
    previousTime = currentTime;
    currentTime = osGetTime();
    elapsedTime = currentTime - startTime;
    ++totalFrameCount;
    ++windowFrameCount;

    if (windowFrameCount > 32) {
        fpsWindowEnd = osGetTime();
        fps = 33.0f / (fpsWindowEnd - fpsWindowStart);
        const float hundredths = fps * 100.0f;
        fps = static_cast<float>(std::floor(static_cast<double>(hundredths)) / 100.0);
        windowFrameCount = 0;
        fpsWindowStart = osGetTime();
    }
}

float Timer::getElapsedTimeNow() const
{
    return startTime == 0 ? elapsedTime : osGetTime() - startTime;
}

// A jump of the demo time takes no frame time: currentTime stays a platform
// reading, so the next frame lasts as long as it really did.
void Timer::setTime(float t)
{
    previousTime = currentTime;
    timeShift = t - elapsedTime;
}

} // namespace vell
