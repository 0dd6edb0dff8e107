#include "MusicClock.h"

#include "HostClock.h"

namespace {

double clockAtStart = 0; // the clock's reading when the music was asked for
double startPosition = 0;

} // namespace

void MusicClock::started(double startSeconds)
{
    HostClock::pause(); // until the page reports the music playing
    clockAtStart = HostClock::now();
    startPosition = startSeconds;
}

void MusicClock::follow(double position)
{
    if (position < 0 || HostClock::isPaused())
        return;
    const double lead = clockAtStart + (position - startPosition) - HostClock::now();
    if (lead > kLead)
        HostClock::skip(lead);
}
