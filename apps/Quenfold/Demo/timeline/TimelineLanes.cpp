#include "timeline/TimelineLanes.h"

#include "toolkit/Canvas.h"

#include <algorithm>

using vell::vec4;

vec4 TimelineLanes::color(size_t lane)
{
    static const vec4 palette[] = {
        vec4(0.95f, 0.45f, 0.7f, 1),  vec4(0.95f, 0.6f, 0.2f, 1),  vec4(0.85f, 0.85f, 0.3f, 1),
        vec4(0.55f, 0.85f, 0.35f, 1), vec4(0.3f, 0.8f, 0.75f, 1),  vec4(0.4f, 0.6f, 1.0f, 1),
        vec4(0.65f, 0.5f, 0.95f, 1),  vec4(0.9f, 0.35f, 0.35f, 1), vec4(0.75f, 0.75f, 0.75f, 1)};
    return palette[lane % (sizeof(palette) / sizeof(palette[0]))];
}

void TimelineLanes::draw(Canvas& canvas, const std::vector<ScriptTimeline::Lane>& lanes, const TimelineAxis& axis,
                         float y, float height, float pitch)
{
    for (size_t i = 0; i < lanes.size(); ++i) {
        const float top = y + static_cast<float>(i) * pitch;
        canvas.fillStyle(vec4(0.1f, 0.11f, 0.14f, 1));
        canvas.fillRect(axis.left(), top, axis.width(), height);
        canvas.fillStyle(color(i));
        for (const auto& [from, to] : lanes[i].spans) {
            const float x0 = axis.x(from);
            canvas.fillRect(x0, top, std::max(1.0f, axis.x(to) - x0), height);
        }
    }
}
