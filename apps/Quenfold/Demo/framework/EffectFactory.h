#pragma once

#include <climits>
#include <vector>

class Effect;

// Registers an effect class under its own name, at a fixed place in the
// catalogue (static initialisation runs in no set order across files):
//   REGISTER_EFFECT(LandRain, 0)
// defines createInstanceOfLandRain and the flag LandRainRegisterd.
#define REGISTER_EFFECT(Class, place)                                                     \
    Effect* createInstanceOf##Class() { return new Class(); }                              \
    static const bool Class##Registerd =                                                   \
        EffectFactory::getInstance()->registerEffect(#Class, createInstanceOf##Class, place)

// Process-wide catalogue of named effect creators, filled before main runs.
class EffectFactory {
public:
    struct EffectInfo {
        const char* name;   // the registered literal, not copied
        Effect* (*create)(); // new instance, owned by the caller
        int place;           // catalogue position; later registrations go last
    };

    static EffectFactory* getInstance();

    // Inserts before the first registration with a greater place; no duplicate check.
    bool registerEffect(const char* name, Effect* (*create)(), int place = INT_MAX);
    int getNumEffects() const { return static_cast<int>(effects.size()); }
    // Null when index is out of range.
    const char* getEffectName(int index) const;
    // Registration index, or null when out of range.
    const EffectInfo* getEffectInfo(int index) const;
    // The registration named name, or null.
    const EffectInfo* find(const char* name) const;
    void setSelectedEffect(int index) { selectedEffect = index; }
    int getSelectedEffect() const { return selectedEffect; }

private:
    EffectFactory() = default;

    static EffectFactory* instance;
    int selectedEffect = 0;
    std::vector<EffectInfo> effects;
};
