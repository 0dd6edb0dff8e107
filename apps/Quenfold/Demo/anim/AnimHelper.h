#pragma once

#include "math/Vec.h"

// Appends keys to the track of one variable; the value's type picks the track.
class AnimHelper {
public:
    explicit AnimHelper(void* variable) : target(variable) {}

    AnimHelper& add(float time, bool value); // always a step key
    AnimHelper& add(float time, int value, int mode);
    AnimHelper& add(float time, float value, int mode);
    AnimHelper& add(float time, const vell::vec3& value, int mode);
    AnimHelper& add(float time, const vell::vec4& value, int mode);

    void* target;
};
