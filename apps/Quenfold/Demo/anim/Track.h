#pragma once

#include "anim/Trackpoint.h"

#include <cstddef>
#include <type_traits>
#include <vector>

// Keys of one variable in the order added (callers add them in time order).
template <typename T>
struct Track {
    // Writes the track's value at time through variable; leaves it alone
    // before the first key, at exactly the last key and for unknown modes.
    void evaluate(float time, T* variable) const;

    std::vector<Trackpoint<T>> points;
};

namespace trackMath {

// Values are interpolated in their own type, ints as floats truncated back.
template <typename T>
struct Arithmetic {
    using Calc = T;
    static Calc from(const T& v) { return v; }
    static Calc difference(const T& a, const T& b) { return b - a; }
    static T store(const Calc& c) { return c; }
};

template <>
struct Arithmetic<int> {
    using Calc = float;
    static Calc from(int v) { return static_cast<float>(v); }
    static Calc difference(int a, int b) { return static_cast<float>(b - a); }
    static int store(float c) { return static_cast<int>(c); }
};

} // namespace trackMath

template <typename T>
void Track<T>::evaluate(float time, T* variable) const
{
    if (points.empty() || points.front().time > time)
        return;
    if (points.back().time < time) {
        *variable = points.back().value;
        return;
    }
    std::size_t i = 0;
    while (i < points.size() && !(points[i].time > time))
        ++i;
    if (i == points.size() || i == 0)
        return;
    const Trackpoint<T>& a = points[i - 1];
    const Trackpoint<T>& b = points[i];
    if (a.mode == 0) {
        *variable = a.value;
        return;
    }
    if constexpr (!std::is_same_v<T, bool>) {
        using M = trackMath::Arithmetic<T>;
        const float t = (time - a.time) / (b.time - a.time);
        const typename M::Calc d = M::difference(a.value, b.value);
        const typename M::Calc start = M::from(a.value);
        switch (a.mode) {
        case 1:
            *variable = M::store(start + d * t);
            break;
        case 2:
            *variable = M::store(d * t * t * t + start);
            break;
        case 3: {
            const float u = t - 1;
            *variable = M::store(d * (u * u * u + 1) + start);
            break;
        }
        default:
            break;
        }
    }
}
