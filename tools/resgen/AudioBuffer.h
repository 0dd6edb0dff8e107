#pragma once

#include <cstddef>
#include <vector>

namespace resgen {

// Stereo float audio at the song's sample rate.
class AudioBuffer {
public:
    static constexpr int sampleRate = 44100;

    explicit AudioBuffer(double seconds);

    size_t frames() const { return left.size(); }
    size_t frameAt(double seconds) const { return static_cast<size_t>(seconds * sampleRate + 0.5); }
    void add(size_t frame, float l, float r)
    {
        if (frame < left.size()) {
            left[frame] += l;
            right[frame] += r;
        }
    }
    // Adds a mono sample with an equal-power pan (-1 left .. 1 right).
    void addPanned(size_t frame, float v, float pan);

    std::vector<float> left;
    std::vector<float> right;
};

} // namespace resgen
