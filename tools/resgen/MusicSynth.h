#pragma once

#include <cstdint>
#include <vector>

namespace resgen {

// Renders the whole soundtrack: score into buses, sends through the effects, master to 16-bit stereo.
class MusicSynth {
public:
    // Interleaved left/right samples at AudioBuffer::sampleRate.
    static std::vector<int16_t> render();
};

} // namespace resgen
