#pragma once

#include "AudioBuffer.h"

#include <vector>

namespace resgen {

// The song's buses: drums stay dry, music is ducked by the kick, and two effect sends.
struct Mixer {
    explicit Mixer(double seconds) : drums(seconds), music(seconds), delaySend(seconds), reverbSend(seconds) {}

    AudioBuffer drums;
    AudioBuffer music;
    AudioBuffer delaySend;
    AudioBuffer reverbSend;
    std::vector<double> kickTimes;
};

} // namespace resgen
