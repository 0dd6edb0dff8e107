#pragma once

#include "HostSurface.h"
#include "PresentedColour.h"
#include "SurfacelessContext.h"

#include <GLES2/gl2.h>

#include <cstdint>
#include <string>
#include <vector>

// An OpenGL ES 2.0 context without a display (EGL, surfaceless platform),
// with a fixed-step clock. Frames are read back instead of presented.
class HeadlessContext : public HostSurface {
public:
    explicit HeadlessContext(int fps = 60);
    ~HeadlessContext() override;
    HeadlessContext(const HeadlessContext&) = delete;
    HeadlessContext& operator=(const HeadlessContext&) = delete;

    bool isValid() const { return egl.isValid(); }
    const std::string& errorText() const { return egl.errorText(); }
    void makeCurrent() { egl.makeCurrent(); }

    // Notes the presented renderbuffer; readPresented() reads it back.
    void present() override;
    std::vector<uint8_t> readPresented() const;

    // Pixels of the bound framebuffer, RGBA, top row first: the frame's pixel size or the size given.
    static std::vector<uint8_t> readFrame();
    static std::vector<uint8_t> readFrame(int width, int height);

private:
    SurfacelessContext egl;
    mutable PresentedColour source; // kept across reads; after egl, so deleted while the context lives
    GLuint presented = 0;
};
