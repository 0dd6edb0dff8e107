#pragma once

#include <memory>

namespace vell {
class Overlay;
class Texture2D;
} // namespace vell

// The slide between the list and a GL screen: the screen being left moves out
// to one side while the new one comes in from the other.
class ScreenTransition {
public:
    static constexpr double kSeconds = 0.3;

    ScreenTransition();
    ~ScreenTransition();
    ScreenTransition(const ScreenTransition&) = delete;
    ScreenTransition& operator=(const ScreenTransition&) = delete;

    // Keeps the bound framebuffer's frame as the screen being left; forward
    // (a push) slides it out to the left, back to the right. The slide's
    // clock starts with the first frame drawn after it.
    void start(bool forward);
    bool isRunning(double now) const { return armed || now - startTime < kSeconds; }
    // Over the bound framebuffer's new frame, draws both screens at their places.
    void draw(double now);

private:
    std::unique_ptr<vell::Texture2D> leaving;
    std::unique_ptr<vell::Texture2D> arriving;
    std::unique_ptr<vell::Overlay> overlay;
    double startTime = -kSeconds;
    bool armed = false; // started, waiting for its first frame
    bool forward = true;
};
