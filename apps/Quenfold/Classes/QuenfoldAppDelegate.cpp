#include "QuenfoldAppDelegate.h"

#include "FrameCapture.h"
#include "GLViewController.h"
#include "HostClock.h"
#include "OverlayState.h"
#include "TableView.h"
#include "graphics/Shader.h"
#include "toolkit/Canvas.h"
#include "utils/Timer.h"

#include <cmath>
#include <cstdio>

using vell::vec4;

QuenfoldAppDelegate::QuenfoldAppDelegate(const LaunchOptions& launchOptions) : options(launchOptions) {}

QuenfoldAppDelegate::~QuenfoldAppDelegate()
{
    glScreen.reset(); // GL objects go while the window's context is current
    table.reset();
    canvas.reset();
}

int QuenfoldAppDelegate::run()
{
    if (!didFinishLaunching())
        return 1;
    bool running = true;
    while (running) {
        SDL_Event event;
        while (running && SDL_PollEvent(&event))
            running = handleEvent(event);
        if (!running)
            break;
        if (glScreen)
            glScreen->drawView();
        else
            table->update();
        window.pace();
    }
    return 0;
}

bool QuenfoldAppDelegate::didFinishLaunching()
{
    if (!window.open()) {
        fprintf(stderr, "quenfold: %s\n", window.errorText().c_str());
        return false;
    }
    canvas = std::make_unique<Canvas>(HostSurface::kWidth, HostSurface::kHeight);
    table = std::make_unique<TableView>(root, *canvas);
    table->init();
    window.setOverlay([this] { drawOverlay(); });

    const EffectFactory::EffectInfo* effect = nullptr;
    if (!options.effectName.empty())
        effect = EffectFactory::getInstance()->find(options.effectName.c_str());
    push(std::make_unique<GLViewController>(effect));
    return true;
}

void QuenfoldAppDelegate::push(std::unique_ptr<GLViewController> screen)
{
    glScreen = std::move(screen);
    glScreen->loadView();
    navigationBar.setHidden(true);
}

void QuenfoldAppDelegate::popToList()
{
    glScreen.reset(); // freeGLApp
    navigationBar.setHidden(false);
}

bool QuenfoldAppDelegate::handleEvent(const SDL_Event& e)
{
    int x = 0, y = 0;
    switch (e.type) {
    case SDL_QUIT:
        return false;
    case SDL_KEYDOWN:
        if (e.key.keysym.sym == SDLK_ESCAPE)
            return false;
        keyDown(e.key);
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button != SDL_BUTTON_LEFT)
            break;
        mouseIsDown = true;
        window.toWindowPoints(e.button.x, e.button.y, &x, &y);
        mouseDown(x, y);
        break;
    case SDL_MOUSEMOTION:
        if (!mouseIsDown)
            break;
        window.toWindowPoints(e.motion.x, e.motion.y, &x, &y);
        mouseMoved(x, y);
        break;
    case SDL_MOUSEBUTTONUP:
        if (e.button.button != SDL_BUTTON_LEFT || !mouseIsDown)
            break;
        mouseIsDown = false;
        window.toWindowPoints(e.button.x, e.button.y, &x, &y);
        mouseUp(x, y);
        break;
    case SDL_MOUSEWHEEL:
        if (!glScreen)
            root.scrollBy(-e.wheel.y * RootViewController::kRowHeight);
        break;
    default:
        break;
    }
    return true;
}

void QuenfoldAppDelegate::keyDown(const SDL_KeyboardEvent& key)
{
    const SDL_Keycode k = key.keysym.sym;
    if (k == SDLK_F11 && !key.repeat)
        window.toggleFullscreen();
    if (k == SDLK_F12 && !key.repeat && glScreen)
        capturePending = true;
    if (!options.developer)
        return;
    if (k == SDLK_F1 && !key.repeat)
        helpShown = !helpShown;
    if (k == SDLK_F5 && !key.repeat)
        vell::Shader::reloadAllNow();
    if (!glScreen)
        return;
    if (k == SDLK_SPACE && !key.repeat)
        glScreen->playback().togglePause();
    if (k == SDLK_LEFT)
        glScreen->playback().seekBy(-Playback::kSeekSeconds);
    if (k == SDLK_RIGHT)
        glScreen->playback().seekBy(Playback::kSeekSeconds);
}

void QuenfoldAppDelegate::mouseDown(int x, int y)
{
    touchOnBar = (!glScreen || !navigationBar.isHidden()) && NavigationBar::contains(x, y);
    if (touchOnBar)
        return;
    if (!glScreen) {
        root.touchesBegan(x, y);
        return;
    }
    const float now = static_cast<float>(HostClock::unpaused());
    if (glScreen->touchesBegan(x, y, 1, now))
        navigationBar.toggle();
}

void QuenfoldAppDelegate::mouseMoved(int x, int y)
{
    if (touchOnBar)
        return;
    if (glScreen)
        glScreen->touchesMoved(x, y, 1);
    else
        root.touchesMoved(x, y);
}

void QuenfoldAppDelegate::mouseUp(int x, int y)
{
    if (touchOnBar) {
        if (glScreen && NavigationBar::backButtonContains(x, y))
            popToList();
        return;
    }
    if (glScreen) {
        glScreen->touchesEnded(x, y, 1);
    } else if (std::unique_ptr<GLViewController> screen = root.touchesEnded(x, y)) {
        push(std::move(screen));
    }
}

void QuenfoldAppDelegate::drawOverlay()
{
    if (capturePending) {
        capturePending = false;
        FrameCapture::captureToPhotoAlbum();
    }
    const bool barShown = !glScreen || !navigationBar.isHidden();
    if (!barShown && !helpShown)
        return;
    OverlayState saved;
    canvas->begin();
    if (barShown) {
        const char* title = glScreen ? (glScreen->effectName() ? glScreen->effectName() : "") : root.title();
        NavigationBar::draw(*canvas, title, glScreen ? root.title() : nullptr);
    }
    if (helpShown)
        drawHelp();
    canvas->end();
}

void QuenfoldAppDelegate::drawHelp()
{
    char rate[96];
    const vell::Timer* timer = vell::Timer::getInstance();
    const bool paused = glScreen && glScreen->playback().isPaused();
    const float fps = timer->getFPS();
    if (paused || !std::isfinite(fps)) // a frozen clock has no rate
        snprintf(rate, sizeof(rate), "paused   t %.2f s", timer->getTime());
    else
        snprintf(rate, sizeof(rate), "%.2f fps   t %.2f s", fps, timer->getTime());
    canvas->fillStyle(vec4(0, 0, 0, 0.6f));
    canvas->fillRect(0, HostSurface::kHeight - 40, HostSurface::kWidth, 40);
    canvas->fillStyle(vec4(1, 1, 1, 1));
    canvas->printText(6, HostSurface::kHeight - 39, "Space pause  Left/Right seek  F5 shaders  F12 capture");
    canvas->fillStyle(vec4(1, 0.85f, 0.4f, 1));
    canvas->printText(6, HostSurface::kHeight - 21, rate);
}
