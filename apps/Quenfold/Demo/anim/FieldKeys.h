#pragma once

#include "anim/AnimHelper.h"

// Keys of one field in its own type, so a literal can never pick another
// type's track: add(16, 0, step) on a float field adds a float key.
template <typename T>
class FieldKeys {
public:
    explicit FieldKeys(T* field) : helper(field) {}

    FieldKeys& add(float time, const T& value, int mode)
    {
        helper.add(time, value, mode);
        return *this;
    }

private:
    AnimHelper helper;
};

// Bool keys are always step keys.
template <>
class FieldKeys<bool> {
public:
    explicit FieldKeys(bool* field) : helper(field) {}

    FieldKeys& add(float time, bool value)
    {
        helper.add(time, value);
        return *this;
    }

private:
    AnimHelper helper;
};
