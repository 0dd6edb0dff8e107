#include "CanvasScale.h"

#include "HostSurface.h"

#include <algorithm>
#include <cmath>

int CanvasScale::fitting(double cssWidth, double cssHeight, double pixelRatio)
{
    // The browser snaps the box to whole device pixels.
    const double width = std::round(cssWidth * pixelRatio);
    const double height = std::round(cssHeight * pixelRatio);
    if (!(width > 0 && height > 0)) // NaN too
        return 1;
    const double most = static_cast<double>(HostSurface::kMaxScale);
    return HostSurface::largestScaleFitting(static_cast<int>(std::min(width, HostSurface::kWidth * most)),
                                            static_cast<int>(std::min(height, HostSurface::kHeight * most)));
}
