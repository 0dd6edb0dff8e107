#pragma once

#include "anim/Track.h"
#include "math/Vec.h"
#include "timeline/ScriptTrack.h"

#include <type_traits>
#include <vector>

namespace scriptTrack {

inline const char* typeName(bool) { return "bool"; }
inline const char* typeName(int) { return "int"; }
inline const char* typeName(float) { return "float"; }
inline const char* typeName(const vell::vec3&) { return "vec3"; }
inline const char* typeName(const vell::vec4&) { return "vec4"; }

inline std::vector<float> components(bool v) { return {v ? 1.0f : 0.0f}; }
inline std::vector<float> components(int v) { return {static_cast<float>(v)}; }
inline std::vector<float> components(float v) { return {v}; }
inline std::vector<float> components(const vell::vec3& v) { return {v.x, v.y, v.z}; }
inline std::vector<float> components(const vell::vec4& v) { return {v.x, v.y, v.z, v.w}; }

} // namespace scriptTrack

// The track of a T variable, its keys as the registry held them when read.
template <typename T>
class TypedScriptTrack : public ScriptTrack {
public:
    TypedScriptTrack(T* field, const Track<T>& source) : variable(field), track(source), initial(*field) {}

    const void* address() const override { return variable; }
    bool isBool() const override { return std::is_same_v<T, bool>; }
    const char* typeName() const override { return scriptTrack::typeName(initial); }
    int components() const override { return static_cast<int>(scriptTrack::components(initial).size()); }

    std::vector<Key> keys() const override
    {
        std::vector<Key> out;
        for (const Trackpoint<T>& p : track.points)
            out.push_back({p.time, p.mode, scriptTrack::components(p.value)});
        return out;
    }

    std::vector<std::vector<float>> sample(const std::vector<double>& times) const override
    {
        T value = initial;
        std::vector<std::vector<float>> out;
        out.reserve(times.size());
        for (double t : times) {
            track.evaluate(static_cast<float>(t), &value);
            out.push_back(scriptTrack::components(value));
        }
        return out;
    }

private:
    T* variable;
    Track<T> track;
    T initial;
};
