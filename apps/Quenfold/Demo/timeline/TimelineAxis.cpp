#include "timeline/TimelineAxis.h"

#include <algorithm>

const std::vector<double> TimelineAxis::kCueTimes = {0.5, 11.5, 20,  27.4, 40,  62,  78, 100,
                                                     112, 140,  150, 165,  180, 205, 215};

double TimelineAxis::time(float x) const
{
    if (!(span > 0))
        return 0;
    return std::clamp(static_cast<double>(x - x0) / span * kEnd, 0.0, kEnd);
}
