#pragma once

#include "framework/GLApp.h"

#include <memory>

class Effect;

// Runs one effect on its own: clears, then draws it every frame.
class EffectApp : public GLApp {
public:
    explicit EffectApp(Effect* effect);
    ~EffectApp() override;

    void draw() override;
    void onMouseDown(int x, int y, int touchCount) override;
    void onMouseUp(int x, int y, int touchCount) override;
    void onMouseMove(int x, int y, int touchCount) override;

private:
    std::unique_ptr<Effect> effect;
};
