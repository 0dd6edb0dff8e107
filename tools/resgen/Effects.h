#pragma once

#include "AudioBuffer.h"

namespace resgen {

// Send effects applied to whole buses; each returns the wet signal.
class Effects {
public:
    // Ping-pong echo: the mono sum of the send bounces between the channels.
    static AudioBuffer pingPong(const AudioBuffer& send, double delaySeconds, float feedback);
    // Comb-and-allpass room reverb.
    static AudioBuffer reverb(const AudioBuffer& send, float roomSize, float damping);
};

} // namespace resgen
