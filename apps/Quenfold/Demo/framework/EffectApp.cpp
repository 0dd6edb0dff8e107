#include "framework/EffectApp.h"

#include "framework/Effect.h"

EffectApp::EffectApp(Effect* e) : effect(e)
{
    effect->enabled = true;
}

EffectApp::~EffectApp() = default;

void EffectApp::draw()
{
    GLApp::draw();
    if (effect->enabled)
        effect->draw();
}

void EffectApp::onMouseDown(int x, int y, int touchCount)
{
    effect->onMouseDown(x, y, touchCount);
}

void EffectApp::onMouseUp(int x, int y, int touchCount)
{
    effect->onMouseUp(x, y, touchCount);
}

void EffectApp::onMouseMove(int x, int y, int touchCount)
{
    effect->onMouseMove(x, y, touchCount);
}
