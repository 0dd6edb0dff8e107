#include "TimelineStrip.h"

#include "HostSurface.h"
#include "demo/Mirande.h"
#include "timeline/TimelineLanes.h"
#include "toolkit/Canvas.h"
#include "utils/Utils.h"

#include <algorithm>

using vell::vec4;

void TimelineStrip::follow(const Mirande& demo)
{
    if (source == &demo)
        return;
    source = &demo;
    lanes = ScriptTimeline::read(demo.effects, demo.animatedFields(), TimelineAxis::kEnd).lanes;
}

int TimelineStrip::height() const
{
    return 2 * kPadding + kCueHeight + static_cast<int>(lanes.size()) * kLanePitch +
           (label.empty() ? 0 : kLabelHeight);
}

bool TimelineStrip::contains(int x, int y, int bottom) const
{
    return shown && x >= 0 && x < HostSurface::kWidth && y >= bottom - height() && y < bottom;
}

void TimelineStrip::draw(Canvas& canvas, int bottom, float now)
{
    const float box = static_cast<float>(bottom - height());
    canvas.fillStyle(vec4(0.03f, 0.035f, 0.05f, 0.85f));
    canvas.fillRect(0, box, HostSurface::kWidth, static_cast<float>(height()));
    if (!label.empty()) {
        canvas.fillStyle(vec4(1.0f, 0.6f, 0.35f, 1));
        canvas.printText(kLeft, static_cast<int>(box) + 1, label);
    }
    const float top = box + (label.empty() ? 0 : kLabelHeight);
    canvas.fillStyle(vec4(1.0f, 0.78f, 0.35f, 1));
    for (double cue : TimelineAxis::kCueTimes)
        canvas.fillRect(axis.x(cue), top + kPadding, 1, kCueHeight - 2);
    TimelineLanes::draw(canvas, lanes, axis, top + kPadding + kCueHeight, kLaneHeight, kLanePitch);
    canvas.fillStyle(vec4(1, 1, 1, 1));
    canvas.fillRect(axis.x(std::min(static_cast<double>(now), TimelineAxis::kEnd)) - 1, top + 1, 2,
                    static_cast<float>(bottom) - top - 2);
    if (seekToReport)
        vell::Log::msg("Timeline: the demo shows %.3f s", static_cast<double>(now));
    seekToReport = false;
}
