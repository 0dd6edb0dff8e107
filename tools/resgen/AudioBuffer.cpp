#include "AudioBuffer.h"

#include <cmath>

namespace resgen {

AudioBuffer::AudioBuffer(double seconds)
    : left(static_cast<size_t>(seconds * sampleRate), 0.0f), right(left.size(), 0.0f)
{
}

void AudioBuffer::addPanned(size_t frame, float v, float pan)
{
    const float a = (pan + 1) * 0.7853982f * 0.5f;
    add(frame, v * std::cos(a) * 1.4142135f, v * std::sin(a) * 1.4142135f);
}

} // namespace resgen
