#pragma once

// One keyframe: the value at a time, and how the segment to the next key runs.
template <typename T>
struct Trackpoint {
    Trackpoint(float t, const T& v, int m) : time(t), value(v), mode(m) {}

    float time;
    T value;
    int mode; // 0 step, 1 linear, 2 ease-in, 3 ease-out
};
