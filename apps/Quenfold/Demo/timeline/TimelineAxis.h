#pragma once

#include <vector>

// Demo time laid across pixels: 0 s at x0, kEnd at x0 + width.
class TimelineAxis {
public:
    static constexpr double kEnd = 215.0; // the music's length, seconds
    // Moments that show each part of the script (the contact sheet's frames).
    static const std::vector<double> kCueTimes;

    TimelineAxis(float left, float width) : x0(left), span(width) {}

    float x(double t) const { return x0 + static_cast<float>(t / kEnd) * span; }
    // The time at x, clamped to 0..kEnd.
    double time(float x) const;
    float left() const { return x0; }
    float width() const { return span; }

private:
    float x0;
    float span;
};
