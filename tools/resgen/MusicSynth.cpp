#include "MusicSynth.h"

#include "Effects.h"
#include "Instruments.h"
#include "Mixer.h"
#include "Score.h"

#include <algorithm>
#include <cmath>

namespace resgen {

namespace {

// Gain of the music bus after a kick at `since` seconds ago: a short pump.
float duckGain(double since)
{
    return since < 0 ? 1.0f : 1.0f - 0.55f * static_cast<float>(std::exp(-since * 9.0));
}

} // namespace

std::vector<int16_t> MusicSynth::render()
{
    Mixer mixer(Score::length);
    Instruments instruments(mixer);
    Score().render(instruments);
    std::sort(mixer.kickTimes.begin(), mixer.kickTimes.end());

    const AudioBuffer echo = Effects::pingPong(mixer.delaySend, 0.317, 0.38f);
    const AudioBuffer room = Effects::reverb(mixer.reverbSend, 0.84f, 0.35f);

    const size_t frames = mixer.music.frames();
    std::vector<float> master(frames * 2);
    size_t nextKick = 0;
    double lastKick = -10;
    float peak = 0;
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / AudioBuffer::sampleRate;
        while (nextKick < mixer.kickTimes.size() && mixer.kickTimes[nextKick] <= t)
            lastKick = mixer.kickTimes[nextKick++];
        const float duck = duckGain(t - lastKick);
        const float fadeOut = static_cast<float>(std::clamp((Score::length - t) / 3.0, 0.0, 1.0));
        for (int c = 0; c < 2; ++c) {
            const auto& side = [&](const AudioBuffer& b) { return c == 0 ? b.left[i] : b.right[i]; };
            float v = side(mixer.drums) + side(mixer.music) * duck + side(echo) * 0.45f * duck + side(room) * 0.7f;
            v = std::tanh(v * 1.1f) * fadeOut;
            master[i * 2 + static_cast<size_t>(c)] = v;
            peak = std::max(peak, std::fabs(v));
        }
    }
    const float gain = peak > 0 ? 0.89f / peak : 1.0f;
    std::vector<int16_t> pcm(master.size());
    for (size_t i = 0; i < master.size(); ++i)
        pcm[i] = static_cast<int16_t>(std::lround(master[i] * gain * 32767.0f));
    return pcm;
}

} // namespace resgen
