#pragma once

#include "anim/Track.h"

#include <cstddef>
#include <map>

// The tracks of one value type, keyed and visited by variable address.
template <typename T>
class Animator {
public:
    void add(T* variable, float time, const T& value, int mode)
    {
        tracks[variable].points.emplace_back(time, value, mode);
    }

    // The variable's track, if any, leaves the registry.
    void remove(T* variable) { tracks.erase(variable); }
    std::size_t size() const { return tracks.size(); }
    // Every track, by variable address.
    const std::map<T*, Track<T>>& allTracks() const { return tracks; }

    void update(float time) const
    {
        for (const auto& [variable, track] : tracks)
            track.evaluate(time, variable);
    }

private:
    std::map<T*, Track<T>> tracks;
};
