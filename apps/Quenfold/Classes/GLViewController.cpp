#include "GLViewController.h"

#include "demo/Mirande.h"
#include "framework/EffectApp.h"
#include "framework/GLApp.h"
#include "utils/Timer.h"

GLViewController::GLViewController(const EffectFactory::EffectInfo* effectInfo)
    : effect(effectInfo), controls(effectInfo == nullptr)
{
}

GLViewController::~GLViewController()
{
    freeGLApp();
}

void GLViewController::loadView()
{
    vell::Timer::getInstance()->reset(); // a new screen starts at time 0, with its music
    app.reset(effect ? static_cast<GLApp*>(new EffectApp(effect->create())) : new Mirande());
    app->init();
}

void GLViewController::drawView()
{
    if (app)
        app->update();
}

void GLViewController::freeGLApp()
{
    app.reset();
}

bool GLViewController::touchesBegan(int x, int y, int touchCount, float now)
{
    const bool toggle = static_cast<double>(now - prevTouchTime) < kDoubleTapSeconds;
    if (app)
        app->onMouseDown(x, y, touchCount);
    prevTouchTime = now;
    return toggle;
}

void GLViewController::touchesMoved(int x, int y, int touchCount)
{
    if (app)
        app->onMouseMove(x, y, touchCount);
}

void GLViewController::touchesEnded(int x, int y, int touchCount)
{
    if (app)
        app->onMouseUp(x, y, touchCount);
}
