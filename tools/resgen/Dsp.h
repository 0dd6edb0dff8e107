#pragma once

#include <cmath>
#include <cstdint>

namespace resgen {

// Band-limited sawtooth (PolyBLEP), phase in 0..1.
class SawOsc {
public:
    float next(float freq, float sampleRate)
    {
        const float dt = freq / sampleRate;
        float v = 2 * phase - 1 - blep(phase, dt);
        phase += dt;
        if (phase >= 1)
            phase -= 1;
        return v;
    }
    void setPhase(float p) { phase = p; }

private:
    static float blep(float t, float dt)
    {
        if (t < dt) {
            t /= dt;
            return t + t - t * t - 1;
        }
        if (t > 1 - dt) {
            t = (t - 1) / dt;
            return t * t + t + t + 1;
        }
        return 0;
    }
    float phase = 0;
};

// State-variable filter (Chamberlin, two passes per sample for stability at high cutoffs).
class SvFilter {
public:
    enum Mode { LowPass, BandPass, HighPass };
    void tune(float cutoff, float resonance, float sampleRate)
    {
        f = 2 * std::sin(3.1415927f * std::fmin(cutoff, sampleRate * 0.2f) / (2 * sampleRate));
        q = 2 - 2 * resonance;
    }
    float process(float in, Mode mode)
    {
        float out = 0;
        for (int i = 0; i < 2; ++i) {
            low += f * band;
            const float high = in - low - q * band;
            band += f * high;
            out = mode == LowPass ? low : (mode == BandPass ? band : high);
        }
        return out;
    }

private:
    float f = 0.1f;
    float q = 1;
    float low = 0;
    float band = 0;
};

// White noise in -1..1 from a fixed-seed generator.
class NoiseOsc {
public:
    explicit NoiseOsc(uint32_t seed) : state(seed ? seed : 1) {}
    float next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(state) / 2147483648.0f - 1.0f;
    }

private:
    uint32_t state;
};

inline float midiToHz(float note)
{
    return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f);
}

} // namespace resgen
