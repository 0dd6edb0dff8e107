#include "Instruments.h"

#include "Dsp.h"

#include <algorithm>
#include <cmath>

namespace resgen {

namespace {

constexpr float sr = AudioBuffer::sampleRate;
constexpr float twoPi = 6.2831853f;

// Linear attack, hold until the release point, then exponential-ish release.
float envelope(float t, float attack, float length, float release)
{
    if (t < attack)
        return t / attack;
    if (t < length)
        return 1;
    return std::max(0.0f, 1 - (t - length) / release);
}

// Sine whose pitch falls from base + drop toward base; advances the phase by one sample.
float droppingSine(float& phase, float s, float base, float drop, float rate)
{
    phase += (base + drop * std::exp(-s * rate)) / sr;
    return std::sin(twoPi * phase);
}

// Retunes the filter and runs one sample through it.
float filtered(SvFilter& filter, float in, float cutoff, float resonance, SvFilter::Mode mode)
{
    filter.tune(cutoff, resonance, sr);
    return filter.process(in, mode);
}

} // namespace

Instruments::Instruments(Mixer& mixer) : mix(mixer)
{
}

uint32_t Instruments::nextSeed()
{
    seedCounter = seedCounter * 1664525u + 1013904223u;
    return seedCounter | 1u;
}

void Instruments::kick(double t, float gain)
{
    mix.kickTimes.push_back(t);
    NoiseOsc noise(nextSeed());
    const size_t start = mix.drums.frameAt(t);
    const int n = static_cast<int>(0.42f * sr);
    float phase = 0;
    for (int i = 0; i < n; ++i) {
        const float s = i / sr;
        const float body = droppingSine(phase, s, 44.0f, 120.0f, 28.0f) * std::exp(-s * 6.5f);
        const float click = noise.next() * std::exp(-s * 900.0f) * 0.4f;
        const float v = std::tanh((body + click) * 1.8f) * gain;
        mix.drums.add(start + static_cast<size_t>(i), v, v);
    }
}

void Instruments::snare(double t, float gain)
{
    NoiseOsc noise(nextSeed());
    SvFilter bp;
    const size_t start = mix.drums.frameAt(t);
    const int n = static_cast<int>(0.3f * sr);
    for (int i = 0; i < n; ++i) {
        const float s = i / sr;
        const float tone = std::sin(twoPi * 185.0f * s) * std::exp(-s * 25.0f) * 0.5f;
        const float rattle = filtered(bp, noise.next(), 3200.0f, 0.2f, SvFilter::BandPass) * std::exp(-s * 13.0f);
        const float v = (tone + rattle * 1.1f) * gain;
        mix.drums.add(start + static_cast<size_t>(i), v, v);
        mix.reverbSend.add(start + static_cast<size_t>(i), v * 0.25f, v * 0.25f);
    }
}

void Instruments::hat(double t, float gain, bool open)
{
    NoiseOsc noise(nextSeed());
    SvFilter hp;
    const size_t start = mix.drums.frameAt(t);
    const float decay = open ? 9.0f : 55.0f;
    const int n = static_cast<int>((open ? 0.4f : 0.08f) * sr);
    for (int i = 0; i < n; ++i) {
        const float s = i / sr;
        const float v = filtered(hp, noise.next(), 8000.0f, 0.1f, SvFilter::HighPass) * std::exp(-s * decay) * gain;
        mix.drums.addPanned(start + static_cast<size_t>(i), v, 0.25f);
    }
}

void Instruments::crash(double t, float gain)
{
    NoiseOsc noiseL(nextSeed());
    NoiseOsc noiseR(nextSeed());
    SvFilter hpL, hpR;
    const size_t start = mix.drums.frameAt(t);
    const int n = static_cast<int>(2.8f * sr);
    for (int i = 0; i < n; ++i) {
        const float s = i / sr;
        const float env = std::exp(-s * 1.7f) * std::min(1.0f, s * 400.0f) * gain;
        // A few inharmonic partials give the noise a metallic ring.
        const float ring = (std::sin(twoPi * 3127 * s) + std::sin(twoPi * 4411 * s) + std::sin(twoPi * 5873 * s)) * 0.08f;
        const float l = (filtered(hpL, noiseL.next(), 5000.0f, 0.1f, SvFilter::HighPass) + ring) * env;
        const float r = (filtered(hpR, noiseR.next(), 5000.0f, 0.1f, SvFilter::HighPass) + ring) * env;
        mix.drums.add(start + static_cast<size_t>(i), l, r);
        mix.reverbSend.add(start + static_cast<size_t>(i), l * 0.3f, r * 0.3f);
    }
}

void Instruments::bass(double t, double length, float note, float gain, float brightness)
{
    SawOsc a, b;
    b.setPhase(0.37f);
    SvFilter lp;
    const float f = midiToHz(note);
    const size_t start = mix.music.frameAt(t);
    const float len = static_cast<float>(length);
    const int n = static_cast<int>((len + 0.03f) * sr);
    for (int i = 0; i < n; ++i) {
        const float s = i / sr;
        const float osc = a.next(f, sr) * 0.5f + b.next(f * 1.006f, sr) * 0.5f;
        const float sub = std::sin(twoPi * f * s * 0.5f) * 0.35f;
        const float cutoff = 180.0f + (400.0f + 2600.0f * brightness) * std::exp(-s * 14.0f);
        const float v = (filtered(lp, osc, cutoff, 0.45f, SvFilter::LowPass) + sub) * envelope(s, 0.003f, len, 0.03f) * gain;
        mix.music.add(start + static_cast<size_t>(i), v, v);
    }
}

void Instruments::pad(double t, double length, const std::vector<int>& notes, float gain, float brightness)
{
    const size_t start = mix.music.frameAt(t);
    const float len = static_cast<float>(length);
    const int n = static_cast<int>((len + 0.9f) * sr);
    static const float detune[3] = {-0.09f, 0.0f, 0.11f};
    for (size_t k = 0; k < notes.size(); ++k) {
        SawOsc osc[3];
        SvFilter lpL, lpR;
        for (int d = 0; d < 3; ++d)
            osc[d].setPhase(0.29f * static_cast<float>(d + k));
        const float base = static_cast<float>(notes[k]);
        const float f0 = midiToHz(base + detune[0]);
        const float f1 = midiToHz(base + detune[1]);
        const float f2 = midiToHz(base + detune[2]);
        for (int i = 0; i < n; ++i) {
            const float s = i / sr;
            const float o0 = osc[0].next(f0, sr);
            const float o1 = osc[1].next(f1, sr);
            const float o2 = osc[2].next(f2, sr);
            if (i % 64 == 0) {
                // The slow filter sweep only needs retuning now and then.
                const float cutoff = 600.0f + 2200.0f * brightness + 300.0f * std::sin(s * 1.3f + static_cast<float>(k));
                lpL.tune(cutoff, 0.2f, sr);
                lpR.tune(cutoff, 0.2f, sr);
            }
            const float env = envelope(s, 0.35f, len, 0.9f) * gain / static_cast<float>(notes.size());
            const float l = lpL.process(o0 + o1 * 0.7f, SvFilter::LowPass) * env;
            const float r = lpR.process(o2 + o1 * 0.7f, SvFilter::LowPass) * env;
            mix.music.add(start + static_cast<size_t>(i), l, r);
            mix.reverbSend.add(start + static_cast<size_t>(i), l * 0.5f, r * 0.5f);
        }
    }
}

void Instruments::lead(double t, double length, float note, float gain)
{
    SawOsc a, b;
    b.setPhase(0.5f);
    SvFilter lp;
    const size_t start = mix.music.frameAt(t);
    const float len = static_cast<float>(length);
    const int n = static_cast<int>((len + 0.12f) * sr);
    for (int i = 0; i < n; ++i) {
        const float s = i / sr;
        // Vibrato fades in after the attack.
        const float vib = 0.18f * std::min(1.0f, std::max(0.0f, s - 0.15f) * 4.0f) * std::sin(twoPi * 5.5f * s);
        const float f = midiToHz(note + vib);
        // Two saws half a cycle apart make a pulse-like tone.
        const float osc = a.next(f, sr) - b.next(f, sr) * 0.6f;
        const float v = filtered(lp, osc, 2600.0f + 2500.0f * std::exp(-s * 6.0f), 0.3f, SvFilter::LowPass)
            * envelope(s, 0.01f, len, 0.12f) * gain;
        mix.music.addPanned(start + static_cast<size_t>(i), v, -0.1f);
        mix.delaySend.add(start + static_cast<size_t>(i), v * 0.45f, v * 0.45f);
        mix.reverbSend.add(start + static_cast<size_t>(i), v * 0.3f, v * 0.3f);
    }
}

void Instruments::pluck(double t, float note, float gain, float pan, float brightness)
{
    SawOsc a;
    SvFilter lp;
    const size_t start = mix.music.frameAt(t);
    const float f = midiToHz(note);
    const int n = static_cast<int>(0.35f * sr);
    for (int i = 0; i < n; ++i) {
        const float s = i / sr;
        const float cutoff = 300.0f + (1500.0f + 4000.0f * brightness) * std::exp(-s * 22.0f);
        const float v = filtered(lp, a.next(f, sr), cutoff, 0.35f, SvFilter::LowPass) * std::exp(-s * 9.0f)
            * std::min(1.0f, s * 500.0f) * gain;
        mix.music.addPanned(start + static_cast<size_t>(i), v, pan);
        mix.delaySend.addPanned(start + static_cast<size_t>(i), v * 0.35f, -pan);
    }
}

void Instruments::bell(double t, float note, float gain, float pan)
{
    const size_t start = mix.music.frameAt(t);
    const float f = midiToHz(note);
    const int n = static_cast<int>(2.2f * sr);
    for (int i = 0; i < n; ++i) {
        const float s = i / sr;
        // Two-operator FM with a decaying index.
        const float mod = std::sin(twoPi * f * 3.5f * s) * 2.2f * std::exp(-s * 3.0f);
        const float v = std::sin(twoPi * f * s + mod) * std::exp(-s * 2.2f) * std::min(1.0f, s * 300.0f) * gain;
        mix.music.addPanned(start + static_cast<size_t>(i), v, pan);
        mix.delaySend.add(start + static_cast<size_t>(i), v * 0.3f, v * 0.3f);
        mix.reverbSend.add(start + static_cast<size_t>(i), v * 0.5f, v * 0.5f);
    }
}

void Instruments::riser(double t, double length, float gain)
{
    NoiseOsc noise(nextSeed());
    SvFilter bp;
    SawOsc saw;
    const size_t start = mix.music.frameAt(t);
    const float len = static_cast<float>(length);
    const int n = static_cast<int>(len * sr);
    for (int i = 0; i < n; ++i) {
        const float s = i / sr;
        const float p = s / len;
        const float swept = filtered(bp, noise.next(), 300.0f + 7000.0f * p * p, 0.6f, SvFilter::BandPass);
        const float tone = saw.next(110.0f * std::pow(4.0f, p), sr) * 0.15f;
        const float v = (swept + tone) * p * p * gain;
        mix.music.add(start + static_cast<size_t>(i), v, v);
        mix.reverbSend.add(start + static_cast<size_t>(i), v * 0.4f, v * 0.4f);
    }
}

void Instruments::impact(double t, float gain)
{
    const size_t start = mix.drums.frameAt(t);
    const int n = static_cast<int>(1.5f * sr);
    float phase = 0;
    for (int i = 0; i < n; ++i) {
        const float s = i / sr;
        const float v = droppingSine(phase, s, 38.0f, 60.0f, 12.0f) * std::exp(-s * 2.5f) * gain;
        mix.drums.add(start + static_cast<size_t>(i), v, v);
    }
    crash(t, gain * 0.8f);
}

} // namespace resgen
