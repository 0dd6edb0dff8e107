#pragma once

// The drawable a host renders into: gives the main colour renderbuffer its
// storage (480x320 RGBA8 unless a host says otherwise) and presents it. One is
// current at a time.
class HostSurface {
public:
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 320;

    virtual ~HostSurface() = default;
    virtual void renderbufferStorage();
    virtual void present() = 0;

    static HostSurface* current();
    static void setCurrent(HostSurface* surface);
};
