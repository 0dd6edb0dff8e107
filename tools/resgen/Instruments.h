#pragma once

#include "Mixer.h"

#include <cstdint>
#include <vector>

namespace resgen {

// Renders single notes and hits of each instrument into the mixer's buses.
class Instruments {
public:
    explicit Instruments(Mixer& mixer);

    void kick(double t, float gain);
    void snare(double t, float gain);
    void hat(double t, float gain, bool open);
    void crash(double t, float gain);
    void bass(double t, double length, float note, float gain, float brightness);
    void pad(double t, double length, const std::vector<int>& notes, float gain, float brightness);
    void lead(double t, double length, float note, float gain);
    void pluck(double t, float note, float gain, float pan, float brightness);
    void bell(double t, float note, float gain, float pan);
    void riser(double t, double length, float gain);
    void impact(double t, float gain);

private:
    uint32_t nextSeed();

    Mixer& mix;
    uint32_t seedCounter = 1;
};

} // namespace resgen
