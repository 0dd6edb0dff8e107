#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The loudness of a music file over time: the file decoded through ffmpeg to
// mono samples, measured over any stretch.
class MusicEnvelope {
public:
    static constexpr int kSampleRate = 8000; // enough for a level per pixel column

    struct Level {
        float rms = 0;  // 0..1 of full scale
        float peak = 0; // 0..1 of full scale
    };

    // False with the reason when ffmpeg cannot run or cannot decode the file.
    bool decode(const std::string& path, std::string* error);
    // The level of the part of [from, to) seconds inside the music; zero outside it.
    Level level(double from, double to) const;
    double seconds() const { return static_cast<double>(samples.size()) / kSampleRate; }

private:
    std::vector<int16_t> samples;
};
