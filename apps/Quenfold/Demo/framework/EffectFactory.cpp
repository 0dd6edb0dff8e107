#include "framework/EffectFactory.h"

#include <cstring>

EffectFactory* EffectFactory::instance = nullptr;

EffectFactory* EffectFactory::getInstance()
{
    if (!instance)
        instance = new EffectFactory(); // usable during static initialisation; never destroyed
    return instance;
}

bool EffectFactory::registerEffect(const char* name, Effect* (*create)(), int place)
{
    auto at = effects.begin();
    while (at != effects.end() && at->place <= place)
        ++at;
    effects.insert(at, {name, create, place});
    return true;
}

const char* EffectFactory::getEffectName(int index) const
{
    const EffectInfo* info = getEffectInfo(index);
    return info ? info->name : nullptr;
}

const EffectFactory::EffectInfo* EffectFactory::getEffectInfo(int index) const
{
    if (index < 0 || index >= getNumEffects())
        return nullptr;
    return &effects[static_cast<size_t>(index)];
}

const EffectFactory::EffectInfo* EffectFactory::find(const char* name) const
{
    for (const EffectInfo& info : effects) {
        if (strcmp(info.name, name) == 0)
            return &info;
    }
    return nullptr;
}
