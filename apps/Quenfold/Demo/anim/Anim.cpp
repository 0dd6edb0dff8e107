#include "anim/Anim.h"

#include "utils/Timer.h"

Anim* Anim::instance = nullptr;

Anim* Anim::getInstance()
{
    if (!instance)
        instance = new Anim(); // never destroyed: it outlives every owner of a bound field
    return instance;
}

void Anim::update()
{
    Anim* anim = getInstance();
    const float time = vell::Timer::getInstance()->getTime();
    anim->floats.update(time);
    anim->ints.update(time);
    anim->vec3s.update(time);
    anim->vec4s.update(time);
    anim->bools.update(time);
}

void Anim::forget(void* variable)
{
    Anim* anim = getInstance();
    anim->floats.remove(static_cast<float*>(variable));
    anim->ints.remove(static_cast<int*>(variable));
    anim->vec3s.remove(static_cast<vell::vec3*>(variable));
    anim->vec4s.remove(static_cast<vell::vec4*>(variable));
    anim->bools.remove(static_cast<bool*>(variable));
}

std::size_t Anim::trackCount()
{
    const Anim* anim = getInstance();
    return anim->floats.size() + anim->ints.size() + anim->vec3s.size() + anim->vec4s.size() + anim->bools.size();
}
