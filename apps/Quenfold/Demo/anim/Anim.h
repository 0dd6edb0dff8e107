#pragma once

#include "anim/AnimHelper.h"
#include "anim/Animator.h"
#include "math/Vec.h"

// Process-wide registry of animated variables, evaluated once per frame.
class Anim {
public:
    static Anim* getInstance();
    static AnimHelper var(void* variable) { return AnimHelper(variable); }
    // Writes every bound variable at the current demo time: float, int, vec3, vec4, then bool.
    static void update();

    Animator<float> floats;
    Animator<int> ints;
    Animator<vell::vec3> vec3s;
    Animator<vell::vec4> vec4s;
    Animator<bool> bools;

private:
    Anim() = default;
    static Anim* instance;
};
