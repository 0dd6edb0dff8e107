#include "Score.h"

#include <array>
#include <cmath>

namespace resgen {

namespace {

constexpr double nominalBeat = 60.0 / 142.0;

struct Chord {
    std::vector<int> pad; // MIDI notes of the pad voicing
    int bass;             // MIDI root of the bass
};

const Chord Am{{57, 60, 64, 69}, 33};
const Chord F{{53, 57, 60, 65}, 29};
const Chord C{{55, 60, 64, 67}, 36};
const Chord G{{55, 59, 62, 67}, 31};
const Chord Dm{{50, 53, 57, 62}, 38};
const Chord Em{{52, 55, 59, 64}, 28};

const std::array<std::array<const Chord*, 4>, 3> progressions{{{&Am, &F, &C, &G}, {&F, &C, &G, &Am}, {&Am, &Dm, &Am, &Em}}};

struct Note {
    int step;
    int length;
    int pitch;
};

// Four-bar themes over Am F C G, in sixteenth steps.
const std::vector<Note> themeA{{0, 3, 69},  {3, 3, 72},  {6, 4, 76},  {10, 2, 74}, {12, 4, 72}, {16, 3, 69},
                               {19, 3, 72}, {22, 4, 77}, {26, 2, 76}, {28, 4, 72}, {32, 3, 67}, {35, 3, 72},
                               {38, 4, 76}, {42, 2, 79}, {44, 4, 76}, {48, 3, 74}, {51, 3, 71}, {54, 6, 67},
                               {60, 2, 71}, {62, 2, 74}};
const std::vector<Note> themeB{{0, 8, 76},  {8, 4, 74},  {12, 4, 72}, {16, 8, 72}, {24, 8, 69},
                               {32, 8, 67}, {40, 4, 72}, {44, 4, 76}, {48, 12, 74}, {60, 4, 71}};

using S = Score;

} // namespace

const std::vector<Score::Section>& Score::sections()
{
    static const std::vector<Section> table{
        {0, 11, S::Pad | S::Arp, 0, 0, 0, 0.1f, false, false, 3},
        {11, 27, S::Kick | S::Hats | S::Bass | S::Pad | S::Arp, 0, 0, 0, 0.3f, true, true, 0},
        {27, 45, S::Kick | S::Snare | S::Hats | S::Bass | S::Pad | S::Arp | S::LeadA, 0, 0, 1, 0.5f, true, true, 0},
        {45, 60, S::Hats | S::Pad | S::Arp | S::LeadB, 0, 0, 0, 0.3f, false, false, 4},
        {60, 77, S::Kick | S::Snare | S::Hats | S::Bass | S::Pad | S::Arp | S::LeadA, 0, 0, 1, 0.7f, true, false, 0},
        {77, 81, S::Pad, 2, 0, 0, 0.2f, false, false, 4},
        {81, 94, S::Kick | S::Hats | S::Bass | S::Pad | S::Arp, 2, 0, 2, 0.3f, true, false, 0},
        {94, 107, S::Kick | S::Snare | S::Hats | S::Bass | S::Pad | S::Arp | S::LeadB, 0, 0, 2, 0.6f, false, true, 2},
        {107, 114.08, S::Kick | S::Hats | S::Bass | S::Arp | S::LeadA, 0, 0, 2, 0.6f, true, false, 0},
        {114.08, 120.84, S::Kick | S::Snare | S::Hats | S::Bass | S::Arp | S::LeadA, 0, 2, 2, 0.7f, true, false, 0},
        {120.84, 127.6, S::Kick | S::Snare | S::Hats | S::Bass | S::Pad | S::Arp | S::LeadA, 0, 3, 2, 0.8f, true, false, 0},
        {127.6, 134.86, S::Kick | S::Snare | S::Hats | S::Bass | S::Pad | S::Arp | S::LeadA, 0, 5, 2, 0.9f, true, true, 2},
        {134.86, 142, S::Kick | S::Hats | S::Bass | S::Pad | S::Arp, 1, 0, 1, 0.4f, true, false, 0},
        {142, 149, S::Kick | S::Snare | S::Hats | S::Bass | S::Pad | S::LeadB, 0, 0, 1, 0.5f, true, false, 0},
        {149, 161.6, S::Kick | S::Snare | S::Hats | S::Bass | S::Pad | S::Arp | S::LeadA, 0, 0, 1, 0.7f, true, true, 3},
        {161.6, 167.6, S::Pad | S::Bells, 1, 0, 0, 0.2f, true, false, 0},
        {167.6, 174.6, S::HalfKick | S::Hats | S::Bass | S::Pad | S::Bells, 1, 0, 0, 0.3f, true, false, 3},
        {174.6, 195, S::Kick | S::Snare | S::Hats | S::Bass | S::Pad | S::Arp | S::LeadA, 0, 0, 1, 0.8f, true, true, 0},
        {195, 210, S::HalfKick | S::Pad | S::Arp | S::Bells, 0, 0, 0, 0.4f, true, false, 0},
        {210, Score::length, S::Pad, 0, 0, 0, 0.1f, false, false, 0},
    };
    return table;
}

int Score::beatsIn(const Section& s)
{
    return std::max(1, static_cast<int>(std::lround((s.end - s.start) / nominalBeat)));
}

void Score::render(Instruments& play) const
{
    for (const Section& s : sections())
        renderSection(play, s);
}

void Score::renderSection(Instruments& play, const Section& s) const
{
    const int steps = beatsIn(s) * 4;
    const double step = (s.end - s.start) / steps;
    const auto& prog = progressions[static_cast<size_t>(s.progression)];
    const bool last = s.end >= length;
    if (s.impact)
        play.impact(s.start, s.layers & Kick ? 0.6f : 0.4f);
    for (int i = 0; i < steps; ++i) {
        const double t = s.start + i * step;
        const int s16 = i % 16;
        const float progress = static_cast<float>(i) / steps;
        const float bright = s.brightness + 0.25f * progress;
        const Chord& chord = *prog[static_cast<size_t>((i / 16) % 4)];
        const int tr = s.transpose;
        const bool inFill = s.fill && i >= steps - 8;

        if ((s.layers & Kick) && s16 % 4 == 0 && !(inFill && i >= steps - 4))
            play.kick(t, 0.62f);
        if ((s.layers & HalfKick) && (s16 == 0 || s16 == 10))
            play.kick(t, 0.55f);
        if ((s.layers & Snare) && (s16 == 4 || s16 == 12) && !inFill)
            play.snare(t, 0.5f);
        if (inFill)
            play.snare(t, 0.2f + 0.4f * static_cast<float>(i - (steps - 8)) / 8);
        if (s.layers & Hats) {
            if (s16 % 4 == 2)
                play.hat(t, 0.16f, s.brightness > 0.45f);
            else if (s.brightness > 0.45f || s16 % 2 == 0)
                play.hat(t, s16 % 2 ? 0.06f : 0.1f, false);
        }
        if (s.layers & Bass) {
            const int root = chord.bass + tr;
            const bool hit = s.bassPattern == 0 ? s16 % 4 == 2 : (s.bassPattern == 1 ? s16 % 2 == 0 : s16 % 4 != 0);
            const int octave = (s.bassPattern == 1 && s16 % 8 == 6) || (s.bassPattern == 2 && s16 % 4 == 3) ? 12 : 0;
            if (hit)
                play.bass(t, step * (s.bassPattern == 2 ? 0.8 : 1.6), static_cast<float>(root + 12 + octave), 0.42f, bright);
        }
        if ((s.layers & Pad) && s16 == 0) {
            std::vector<int> notes = chord.pad;
            for (int& n : notes)
                n += tr;
            const double hold = last ? s.end - t - 1.0 : std::min(16 * step, s.end - t);
            play.pad(t, hold, notes, last ? 0.55f : 0.45f, bright);
        }
        if ((s.layers & Arp) && s.end - t > step * 0.5) {
            static const std::array<int, 8> order{0, 1, 2, 3, 2, 1, 2, 3};
            const int note = chord.pad[static_cast<size_t>(order[static_cast<size_t>(i % 8)])] + 12 + tr;
            play.pluck(t, static_cast<float>(note), 0.14f, i % 2 ? 0.45f : -0.45f, bright);
        }
        if (s.layers & (LeadA | LeadB)) {
            const std::vector<Note>& theme = (s.layers & LeadA) ? themeA : themeB;
            for (const Note& n : theme)
                if (n.step == i % 64)
                    play.lead(t, std::min(n.length * step * 0.9, s.end - t), static_cast<float>(n.pitch + tr), 0.27f);
        }
        if ((s.layers & Bells) && (s16 == 0 || s16 == 3 || s16 == 6 || s16 == 10 || s16 == 12)) {
            static const std::array<int, 5> order{3, 2, 1, 2, 0};
            const size_t k = static_cast<size_t>((s16 * 5 / 16) % 5);
            play.bell(t, static_cast<float>(chord.pad[static_cast<size_t>(order[k])] + 12 + tr), 0.16f, k % 2 ? 0.5f : -0.5f);
        }
    }
    if (s.riser > 0)
        play.riser(s.end - s.riser, s.riser, 0.22f);
}

} // namespace resgen
