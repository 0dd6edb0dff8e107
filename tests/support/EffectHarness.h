#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class Effect;
class EffectApp;

// Drives one effect as the headless renderer does, from a fresh frame clock:
// every frame advances the fixed-step clock by one step (1/60 s), clears the
// main framebuffer and draws the enabled effect. Needs a current context
// (HeadlessGLTest).
class EffectHarness {
public:
    explicit EffectHarness(Effect* effect); // takes ownership and enables it
    ~EffectHarness();

    void runFrames(int count);
    // Runs frames until the demo clock reads at least time.
    void runUntil(float time);
    // The main framebuffer, RGBA, top row first.
    std::vector<uint8_t> frame() const;

private:
    std::unique_ptr<EffectApp> app;
};
