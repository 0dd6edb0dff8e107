#pragma once

#include <vector>

// One track of the animation registry as the timeline shows it: its keys, and
// its variable's value over time as Anim::update() writes it frame by frame.
class ScriptTrack {
public:
    struct Key {
        float time;
        int mode;
        std::vector<float> value; // one number per component
    };

    virtual ~ScriptTrack() = default;
    virtual const void* address() const = 0;
    virtual bool isBool() const = 0;
    virtual const char* typeName() const = 0; // "float", "int", "vec3", "vec4" or "bool"
    virtual int components() const = 0;
    virtual std::vector<Key> keys() const = 0;
    // The value at each of the increasing times, starting from the value the
    // variable held when the track was read.
    virtual std::vector<std::vector<float>> sample(const std::vector<double>& times) const = 0;
};
