#pragma once

#include "anim/Track.h"

#include <cstddef>
#include <map>
#include <utility>

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
    // The variable's keys become those of track (none: it has no track).
    void replace(T* variable, Track<T> track)
    {
        if (track.points.empty())
            tracks.erase(variable);
        else
            tracks[variable] = std::move(track);
    }
    // The variable's track, or null.
    const Track<T>* find(T* variable) const
    {
        const auto it = tracks.find(variable);
        return it == tracks.end() ? nullptr : &it->second;
    }
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
