#pragma once

// When each frame is shown: on the tick after the one before it, or at once
// when it was drawn too late for that tick, the ticks then counting on from it.
class FramePacer {
public:
    explicit FramePacer(double tickSeconds) : tick(tickSeconds) {}

    // The seconds to wait, at now, before showing a frame drawn by then.
    double waitBefore(double now);

private:
    double tick;
    double shownAt = 0;
    bool started = false;
};
