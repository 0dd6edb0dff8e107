#pragma once

#include "Instruments.h"

#include <vector>

namespace resgen {

// The arrangement: sections that start exactly on the show's cue times, each with its own
// whole number of beats near 142 BPM, and the patterns every instrument plays in them.
class Score {
public:
    enum Layer {
        Kick = 1,
        Snare = 2,
        Hats = 4,
        Bass = 8,
        Pad = 16,
        Arp = 32,
        LeadA = 64,
        LeadB = 128,
        Bells = 256,
        HalfKick = 512,
    };

    struct Section {
        double start;
        double end;
        int layers;
        int progression;
        int transpose;
        int bassPattern; // 0 off-beat, 1 rolling eighths, 2 galloping sixteenths
        float brightness;
        bool impact;      // crash and sub drop on the first beat
        bool fill;        // snare roll over the last two beats
        double riser;     // seconds of noise sweep before the end
    };

    static constexpr double length = 215.0;

    static const std::vector<Section>& sections();
    static int beatsIn(const Section& s);
    void render(Instruments& play) const;

private:
    void renderSection(Instruments& play, const Section& s) const;
};

} // namespace resgen
