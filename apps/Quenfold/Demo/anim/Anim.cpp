#include "anim/Anim.h"

#include "utils/Timer.h"

Anim* Anim::instance = nullptr;

Anim* Anim::getInstance()
{
    if (!instance)
        instance = new Anim(); // never destroyed: it holds field addresses for the whole run
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
