#pragma once

#include "framework/EffectFactory.h"

#include <memory>

class Effect;
class GLApp;

// One registered effect run as the benchmarks run it: a fresh clock and main
// framebuffer, then the effect built; a frame is the clock tick, the main clear,
// the effect's draw and glFinish.
namespace EffectRun {
// buildSeconds, when given, receives the construction time.
std::unique_ptr<Effect> start(GLApp& app, const EffectFactory::EffectInfo& info, double* buildSeconds = nullptr);
void frame(GLApp& app, Effect& effect);
} // namespace EffectRun
