#include "anim/AnimHelper.h"

#include "anim/Anim.h"

AnimHelper& AnimHelper::add(float time, bool value)
{
    Anim::getInstance()->bools.add(static_cast<bool*>(target), time, value, 0);
    return *this;
}

AnimHelper& AnimHelper::add(float time, int value, int mode)
{
    Anim::getInstance()->ints.add(static_cast<int*>(target), time, value, mode);
    return *this;
}

AnimHelper& AnimHelper::add(float time, float value, int mode)
{
    Anim::getInstance()->floats.add(static_cast<float*>(target), time, value, mode);
    return *this;
}

AnimHelper& AnimHelper::add(float time, const vell::vec3& value, int mode)
{
    Anim::getInstance()->vec3s.add(static_cast<vell::vec3*>(target), time, value, mode);
    return *this;
}

AnimHelper& AnimHelper::add(float time, const vell::vec4& value, int mode)
{
    Anim::getInstance()->vec4s.add(static_cast<vell::vec4*>(target), time, value, mode);
    return *this;
}
