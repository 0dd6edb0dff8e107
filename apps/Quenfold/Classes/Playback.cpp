#include "Playback.h"

#include "HostClock.h"
#include "MusicPlayer.h"
#include "utils/Timer.h"

#include <algorithm>

Playback::~Playback()
{
    if (isPaused())
        togglePause();
}

bool Playback::isPaused() const
{
    return HostClock::isPaused();
}

void Playback::togglePause()
{
    const bool pause = !isPaused();
    if (pause)
        HostClock::pause();
    else
        HostClock::resume();
    if (music)
        MusicPlayer::setPaused(pause);
}

void Playback::seekBy(float seconds)
{
    seekTo(vell::Timer::getInstance()->getTime() + seconds);
}

void Playback::seekTo(float seconds)
{
    vell::Timer* timer = vell::Timer::getInstance();
    const float target = std::max(0.0f, seconds);
    // From the clock as it reads now: a clock paused since the last frame
    // then shows the target itself.
    timer->setTimeShift(target - timer->getElapsedTimeNow());
    if (music)
        MusicPlayer::seek(target);
}
