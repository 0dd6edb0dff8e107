#pragma once

#include "math/Vec.h"
#include "timeline/ScriptTimeline.h"
#include "timeline/TimelineAxis.h"

class Canvas;

// The effect lanes as bars on a dark band, each effect in its own colour:
// the same in the timeline picture and in the window's strip.
class TimelineLanes {
public:
    static vell::vec4 color(size_t lane);
    // Lane i fills rows y + i * pitch to y + i * pitch + height.
    static void draw(Canvas& canvas, const std::vector<ScriptTimeline::Lane>& lanes, const TimelineAxis& axis,
                     float y, float height, float pitch);
};
