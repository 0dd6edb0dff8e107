#include "Effects.h"

#include <array>
#include <vector>

namespace resgen {

namespace {

class Comb {
public:
    explicit Comb(size_t length) : line(length, 0.0f) {}
    float process(float in, float feedback, float damping)
    {
        const float out = line[pos];
        store = out * (1 - damping) + store * damping;
        line[pos] = in + store * feedback;
        pos = (pos + 1) % line.size();
        return out;
    }

private:
    std::vector<float> line;
    size_t pos = 0;
    float store = 0;
};

class Allpass {
public:
    explicit Allpass(size_t length) : line(length, 0.0f) {}
    float process(float in)
    {
        const float buffered = line[pos];
        line[pos] = in + buffered * 0.5f;
        pos = (pos + 1) % line.size();
        return buffered - in;
    }

private:
    std::vector<float> line;
    size_t pos = 0;
};

void reverbChannel(const std::vector<float>& in, std::vector<float>& out, size_t spread, float room, float damping)
{
    static const std::array<size_t, 6> combLengths{1116, 1188, 1277, 1356, 1422, 1491};
    std::vector<Comb> combs;
    for (size_t l : combLengths)
        combs.emplace_back(l + spread);
    Allpass a1(556 + spread), a2(441 + spread), a3(341 + spread);
    for (size_t i = 0; i < in.size(); ++i) {
        float sum = 0;
        for (Comb& c : combs)
            sum += c.process(in[i] * 0.1f, room, damping);
        out[i] = a3.process(a2.process(a1.process(sum)));
    }
}

} // namespace

AudioBuffer Effects::pingPong(const AudioBuffer& send, double delaySeconds, float feedback)
{
    AudioBuffer wet(static_cast<double>(send.frames()) / AudioBuffer::sampleRate);
    const size_t d = static_cast<size_t>(delaySeconds * AudioBuffer::sampleRate);
    for (size_t i = d; i < wet.frames(); ++i) {
        const float in = (send.left[i - d] + send.right[i - d]) * 0.5f;
        wet.left[i] = in + feedback * wet.right[i - d];
        wet.right[i] = feedback * wet.left[i - d];
    }
    return wet;
}

AudioBuffer Effects::reverb(const AudioBuffer& send, float roomSize, float damping)
{
    AudioBuffer wet(static_cast<double>(send.frames()) / AudioBuffer::sampleRate);
    reverbChannel(send.left, wet.left, 0, roomSize, damping);
    reverbChannel(send.right, wet.right, 23, roomSize, damping);
    return wet;
}

} // namespace resgen
