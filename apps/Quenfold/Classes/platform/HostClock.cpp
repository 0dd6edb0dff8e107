#include "HostClock.h"

#include <algorithm>
#include <chrono>

namespace {

struct ClockState {
    bool fixed = false;
    double step = 0;
    long long steps = 0;
    double offset = 0;
    bool originTaken = false;
    std::chrono::steady_clock::time_point origin;
    bool paused = false;
    double pausedAt = 0;    // now() when paused
    double pausedTotal = 0; // monotonic seconds spent paused, less those skipped
};

double monotonic(ClockState& s)
{
    const auto t = std::chrono::steady_clock::now();
    if (!s.originTaken) {
        s.origin = t;
        s.originTaken = true;
    }
    return std::chrono::duration<double>(t - s.origin).count();
}

ClockState& state()
{
    static ClockState s;
    return s;
}

} // namespace

double HostClock::now()
{
    ClockState& s = state();
    if (s.paused)
        return s.pausedAt;
    if (s.fixed)
        return s.offset + static_cast<double>(s.steps) * s.step;
    return monotonic(s) - s.pausedTotal;
}

double HostClock::unpaused()
{
    ClockState& s = state();
    if (s.fixed)
        return s.offset + static_cast<double>(s.steps) * s.step;
    return monotonic(s);
}

void HostClock::pause()
{
    ClockState& s = state();
    if (s.paused)
        return;
    s.pausedAt = now();
    s.paused = true;
}

void HostClock::resume()
{
    ClockState& s = state();
    if (!s.paused)
        return;
    s.paused = false;
    if (!s.fixed)
        s.pausedTotal = monotonic(s) - s.pausedAt;
}

void HostClock::skip(double seconds)
{
    ClockState& s = state();
    seconds = std::max(0.0, seconds);
    if (s.paused)
        s.pausedAt += seconds;
    else if (s.fixed)
        s.offset += seconds;
    else
        s.pausedTotal -= seconds;
}

bool HostClock::isPaused()
{
    return state().paused;
}

void HostClock::useFixedStep(double stepSeconds)
{
    ClockState& s = state();
    s.fixed = true;
    s.step = stepSeconds;
}

void HostClock::useMonotonic()
{
    state() = ClockState();
}

bool HostClock::isFixed()
{
    return state().fixed;
}

void HostClock::advance()
{
    if (!state().paused)
        ++state().steps;
}

void HostClock::set(double seconds)
{
    ClockState& s = state();
    s.offset = seconds;
    s.steps = 0;
}
