#pragma once

#include "Letterbox.h"
#include "Presenter.h"

#include <memory>

// Frames shown by a swap of the window's own GL context: the frame's colour
// is copied into a texture on the GPU, drawn letterboxed and linearly
// filtered into the window's framebuffer, and swapped with vsync (adaptive
// where offered). A display refreshing at 60 Hz paces the frames by the swap;
// at another rate (or without vsync) the 60 Hz tick does, the swap still
// waiting for the vertical blank so nothing tears.
class GLPresenter : public Presenter {
public:
    // Null with the reason in *error where the window or its context cannot be had.
    static std::unique_ptr<GLPresenter> open(int scale, std::string* error);
    ~GLPresenter() override;

    Kind kind() const override { return Kind::Gl; }
    std::string way() const override;
    const char* shortName() const override { return "GL swap"; }
    void drawableSize(int* width, int* height) const override;
    bool present(int width, int height, const std::function<void()>& tick, std::string* error) override;

private:
    GLPresenter() = default;
    bool start(int scale, std::string* error);
    // Whether swaps wait for a display refreshing at about 60 Hz (and are
    // seen to: more than 70 swaps in a second say they do not).
    void watchSwapRate();

    SDL_GLContext context = nullptr;
    Letterbox letterbox;
    int textureWidth = 0, textureHeight = 0;
    int swapInterval = 0; // -1 adaptive vsync, 1 vsync, 0 none
    bool pacedBySwap = false;
    Uint64 rateStart = 0;
    int swapsSinceStart = 0;
};
