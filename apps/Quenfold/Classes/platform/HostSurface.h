#pragma once

// The drawable a host renders into: gives the main colour renderbuffer its
// storage (the frame's pixel size, RGBA8, unless a host says otherwise) and
// presents it. One is current at a time.
//
// The frame is 480x320 points; at content scale S it has 480S x 320S pixels.
class HostSurface {
public:
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 320;
    static constexpr int kMaxScale = 4;

    virtual ~HostSurface() = default;
    virtual void renderbufferStorage();
    virtual void present() = 0;

    static HostSurface* current();
    static void setCurrent(HostSurface* surface);

    // Content scale for the frames made from now on (targets are sized when
    // they are made): 1 to kMaxScale, others clamped.
    static int scale();
    static void setScale(int s);
    static int pixelWidth() { return kWidth * scale(); }
    static int pixelHeight() { return kHeight * scale(); }
    // The largest scale whose picture fits width x height pixels; 1 when none does.
    static int largestScaleFitting(int width, int height);
};
