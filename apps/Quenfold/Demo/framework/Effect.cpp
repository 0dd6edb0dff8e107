#include "framework/Effect.h"

#include "utils/Platform.h"

unsigned int Effect::getWindowWidth() const
{
    return osGetWindowWidth();
}

unsigned int Effect::getWindowHeight() const
{
    return osGetWindowHeight();
}
