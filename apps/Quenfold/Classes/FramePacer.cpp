#include "FramePacer.h"

double FramePacer::waitBefore(double now)
{
    const double due = shownAt + tick;
    if (!started || now >= due) { // the first frame, or a late one: a tick more would only make it later
        started = true;
        shownAt = now;
        return 0;
    }
    shownAt = due;
    return due - now;
}
