#pragma once

// Which content scale the window's frames are drawn at: how many pixels a
// point of the 480x320 frame has across and down.
class ContentScale {
public:
    // Whether a GL_RENDERER string names a renderer drawing on the CPU
    // (llvmpipe, softpipe, swrast); a missing one counts as such.
    static bool isSoftware(const char* renderer);
    // At start: the one asked for (1 to 4), otherwise 1 on a software renderer
    // (it cannot draw more pixels at 60 frames a second), otherwise the
    // largest that fits the drawable.
    static int atStart(int requested, const char* renderer, int width, int height);
    // F3: from 1 to the largest that fits, from any other back to 1.
    static int next(int current, int width, int height);
};
