#pragma once

// The content scale at which the page's canvas shows the frame sharp.
class CanvasScale {
public:
    // The largest whole S whose 480S x 320S picture fits a canvas box of the
    // given CSS size in device pixels (CSS pixels times pixelRatio), from 1
    // (a small or hidden canvas) to HostSurface::kMaxScale.
    static int fitting(double cssWidth, double cssHeight, double pixelRatio);
};
