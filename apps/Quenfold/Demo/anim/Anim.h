#pragma once

#include "anim/AnimHelper.h"
#include "anim/Animator.h"
#include "math/Vec.h"

#include <cstddef>

// Process-wide registry of animated variables, evaluated once per frame.
class Anim {
public:
    static Anim* getInstance();
    static AnimHelper var(void* variable) { return AnimHelper(variable); }
    // Writes every bound variable at the current demo time: float, int, vec3, vec4, then bool.
    static void update();
    // Unbinds the variable at this address: its tracks of every type go, and
    // update() no longer writes it. Owners call it before the variable dies.
    static void forget(void* variable);
    // Tracks bound, of all types.
    static std::size_t trackCount();

    // The animator of T's tracks.
    template <typename T>
    Animator<T>& animator();

    Animator<float> floats;
    Animator<int> ints;
    Animator<vell::vec3> vec3s;
    Animator<vell::vec4> vec4s;
    Animator<bool> bools;

private:
    Anim() = default;
    static Anim* instance;
};

template <>
inline Animator<bool>& Anim::animator<bool>() { return bools; }
template <>
inline Animator<int>& Anim::animator<int>() { return ints; }
template <>
inline Animator<float>& Anim::animator<float>() { return floats; }
template <>
inline Animator<vell::vec3>& Anim::animator<vell::vec3>() { return vec3s; }
template <>
inline Animator<vell::vec4>& Anim::animator<vell::vec4>() { return vec4s; }
