#pragma once

#include <vector>

class Effect;

// Process-wide catalogue of named effect creators, filled before main runs.
class EffectFactory {
public:
    struct EffectInfo {
        const char* name;   // the registered literal, not copied
        Effect* (*create)(); // new instance, owned by the caller
    };

    static EffectFactory* getInstance();

    bool registerEffect(const char* name, Effect* (*create)());
    int getNumEffects() const { return static_cast<int>(effects.size()); }
    // Null when index is out of range.
    const char* getEffectName(int index) const;
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
