#pragma once

#include "FrameScaler.h"
#include "Presenter.h"
#include "SurfacelessContext.h"

#include <cstdint>
#include <memory>
#include <vector>

// Frames drawn off screen (an EGL context of its own: the window has no GL)
// and shown through the window's surface: each frame is read back, scaled on
// the CPU into the window's pixels and handed to the display (through shared
// memory where it offers it), on the 60 Hz tick. Read-back, scaling and
// showing are separate steps.
class CpuPresenter : public Presenter {
public:
    // Null with the reason in *error where the context, the window or its
    // surface cannot be had.
    static std::unique_ptr<CpuPresenter> open(int scale, std::string* error);

    Kind kind() const override { return Kind::Cpu; }
    std::string way() const override { return "presenting through the window surface"; }
    const char* shortName() const override { return "window surface"; }
    void drawableSize(int* width, int* height) const override;
    bool present(int width, int height, const std::function<void()>& tick, std::string* error) override;

private:
    CpuPresenter() = default;
    bool start(int scale, std::string* error);
    // The bound framebuffer's frame into frame.
    void readBack(int width, int height);
    // frame scaled into the window surface's picture, letterboxed.
    bool scale(std::string* error);
    bool show(std::string* error);

    SurfacelessContext egl;
    std::vector<uint8_t> frame; // RGBA, bottom row first
    int frameWidth = 0, frameHeight = 0;
    FrameScaler scaler;
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> converted{nullptr, SDL_FreeSurface};
};
