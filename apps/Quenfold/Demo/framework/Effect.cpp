#include "framework/Effect.h"

#include "utils/Platform.h"
#include "utils/Timer.h"

#include <GLES2/gl2.h>

unsigned int Effect::getWindowWidth() const
{
    return osGetWindowWidth();
}

unsigned int Effect::getWindowHeight() const
{
    return osGetWindowHeight();
}

unsigned int Effect::getContentScale() const
{
    return osGetContentScale();
}

unsigned int Effect::getPixelWidth() const
{
    return osGetPixelWidth();
}

unsigned int Effect::getPixelHeight() const
{
    return osGetPixelHeight();
}

int Effect::toPixels(int points) const
{
    return points * static_cast<int>(getContentScale());
}

float Effect::advanceClock()
{
    vell::Timer* timer = vell::Timer::getInstance();
    timer->update();
    return timer->getTime();
}

void Effect::clearWithDepth()
{
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
}
