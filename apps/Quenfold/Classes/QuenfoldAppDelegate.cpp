#include "QuenfoldAppDelegate.h"

#include "ContentScale.h"
#include "FrameCapture.h"
#include "GLViewController.h"
#include "HostClock.h"
#include "OverlayState.h"
#include "TableView.h"
#include "graphics/Shader.h"
#include "toolkit/Canvas.h"
#include "utils/Timer.h"
#include "utils/Utils.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

using vell::vec4;

namespace {

constexpr double kNoticeSeconds = 1.5;
constexpr int kHelpHeight = 40;

} // namespace

QuenfoldAppDelegate::QuenfoldAppDelegate(const LaunchOptions& launchOptions) : options(launchOptions) {}

QuenfoldAppDelegate::~QuenfoldAppDelegate()
{
    glScreen.reset(); // GL objects go while the window's context is current
    pendingScreen.reset();
    transition.reset();
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
        if (script.poll())
            applyScript(false);
        if (glScreen)
            glScreen->drawView();
        else
            table->update();
        script.framePresented();
        changeScreen();
        window.pace();
    }
    return 0;
}

bool QuenfoldAppDelegate::didFinishLaunching()
{
    std::string error;
    if (!options.frameLog.empty() && !frameLog.open(options.frameLog, &error)) {
        fprintf(stderr, "quenfold: %s\n", error.c_str());
        return false;
    }
    window.setFrameLog(&frameLog);
    if (!window.open(options.scale, options.present)) {
        fprintf(stderr, "quenfold: %s\n", window.errorText().c_str());
        return false;
    }
    // Before anything is drawn: render targets take their size when they are made.
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    int width = 0, height = 0;
    window.drawableSize(&width, &height);
    HostSurface::setScale(ContentScale::atStart(options.scale, renderer, width, height));
    const std::string rendererName = vell::printableText(renderer ? renderer : "unknown");
    const std::string why = options.scale                       ? "as asked"
                            : ContentScale::isSoftware(renderer) ? "the renderer, " + rendererName + ", draws on the CPU"
                                                                 : "the most the window fits; " + rendererName;
    vell::Log::msg("content scale %dx: frames of %dx%d pixels (%s)", HostSurface::scale(), HostSurface::pixelWidth(),
                   HostSurface::pixelHeight(), why.c_str());
    vell::Log::msg("%s", window.presenting().c_str());
    // The platform clock counts from launch, so a click queued while the demo
    // loads is no first touch "under 0.3 s".
    HostClock::unpaused();
    canvas = std::make_unique<Canvas>(HostSurface::kWidth, HostSurface::kHeight);
    makeTargets();
    window.setOverlay([this] { drawOverlay(); });
    script.start(options.scriptPath, options.developer);

    const EffectFactory::EffectInfo* effect = nullptr;
    if (!options.effectName.empty())
        effect = EffectFactory::getInstance()->find(options.effectName.c_str());
    push(std::make_unique<GLViewController>(effect));
    return true;
}

void QuenfoldAppDelegate::makeTargets()
{
    table = std::make_unique<TableView>(root, *canvas);
    table->init();
    transition = std::make_unique<ScreenTransition>();
}

void QuenfoldAppDelegate::switchScale()
{
    int width = 0, height = 0;
    window.drawableSize(&width, &height);
    const int s = ContentScale::next(HostSurface::scale(), width, height);
    char text[64];
    if (s == HostSurface::scale()) {
        snprintf(text, sizeof(text), "%dx: the window has no room for 2x", s);
        showNotice(text);
        return;
    }
    HostSurface::setScale(s);
    makeTargets();
    if (glScreen)
        glScreen->reloadView();
    applyScript(true);
    vell::Log::msg("content scale %dx: frames of %dx%d pixels", s, HostSurface::pixelWidth(),
                   HostSurface::pixelHeight());
    snprintf(text, sizeof(text), "%dx: %dx%d pixels", s, HostSurface::pixelWidth(), HostSurface::pixelHeight());
    showNotice(text);
}

void QuenfoldAppDelegate::showNotice(const std::string& text)
{
    notice = text;
    noticeUntil = HostClock::unpaused() + kNoticeSeconds;
}

void QuenfoldAppDelegate::push(std::unique_ptr<GLViewController> screen)
{
    glScreen = std::move(screen);
    glScreen->loadView();
    applyScript(true);
    navigationBar.setHidden(true);
}

void QuenfoldAppDelegate::popToList()
{
    glScreen.reset(); // freeGLApp
    navigationBar.setHidden(false);
}

void QuenfoldAppDelegate::changeScreen()
{
    if (pendingScreen)
        push(std::move(pendingScreen));
    if (pendingBack && glScreen)
        popToList();
    pendingBack = false;
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
    if (k == SDLK_F3 && !key.repeat)
        switchScale();
    if (!options.developer)
        return;
    if (k == SDLK_F1 && !key.repeat)
        helpShown = !helpShown;
    if (k == SDLK_F2 && !key.repeat)
        strip.toggle();
    if (k == SDLK_F5 && !key.repeat) {
        vell::Shader::reloadAllNow();
        if (script.inUse() && script.reload())
            applyScript(false);
    }
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
    touchOnStrip = glScreen && glScreen->demo() && strip.contains(x, y, stripBottom());
    if (touchOnStrip) {
        seekFromStrip(x);
        return;
    }
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
    if (touchOnStrip) {
        seekFromStrip(x);
        return;
    }
    if (glScreen)
        glScreen->touchesMoved(x, y, 1);
    else
        root.touchesMoved(x, y);
}

void QuenfoldAppDelegate::mouseUp(int x, int y)
{
    if (touchOnBar) {
        if (glScreen && NavigationBar::backButtonContains(x, y))
            pendingBack = true;
        return;
    }
    if (touchOnStrip) {
        touchOnStrip = false;
        seekFromStrip(x);
        strip.noteSeek();
        return;
    }
    if (glScreen) {
        glScreen->touchesEnded(x, y, 1);
    } else if (std::unique_ptr<GLViewController> screen = root.touchesEnded(x, y)) {
        pendingScreen = std::move(screen);
    }
}

void QuenfoldAppDelegate::drawOverlay()
{
    const double now = HostClock::unpaused();
    if (capturePending) {
        capturePending = false;
        showNotice(FrameCapture::captureToPhotoAlbum() ? "Frame saved" : "The frame could not be saved");
    }
    const bool barShown = !glScreen || !navigationBar.isHidden();
    const bool noticeShown = now < noticeUntil;
    const bool leaving = pendingScreen || pendingBack;
    const Mirande* demo = glScreen ? glScreen->demo() : nullptr;
    const bool stripShown = demo && strip.isShown();
    const bool faultShown = !script.fault().empty();
    if (!barShown && !helpShown && !noticeShown && !stripShown && !faultShown && !leaving &&
        !transition->isRunning(now))
        return;
    OverlayState saved;
    canvas->begin();
    if (barShown && glScreen) // back to the list; the title names an effect run alone
        NavigationBar::draw(*canvas, glScreen->effectName() ? glScreen->effectName() : "", root.title());
    else if (barShown)
        NavigationBar::draw(*canvas, root.title(), nullptr);
    if (helpShown)
        drawHelp();
    if (stripShown) {
        strip.follow(*demo);
        strip.draw(*canvas, stripBottom(), vell::Timer::getInstance()->getTime());
    }
    if (faultShown)
        script.drawFault(*canvas, barShown ? NavigationBar::kHeight : 0);
    if (noticeShown)
        drawNotice(now);
    canvas->end();
    if (leaving)
        transition->start(pendingScreen != nullptr);
    else if (transition->isRunning(now))
        transition->draw(now);
}

void QuenfoldAppDelegate::drawHelp()
{
    char rate[128];
    const vell::Timer* timer = vell::Timer::getInstance();
    const bool paused = glScreen && glScreen->playback().isPaused();
    const float fps = timer->getFPS();
    const int scale = HostSurface::scale();
    if (paused || !std::isfinite(fps)) // a frozen clock has no rate
        snprintf(rate, sizeof(rate), "paused   %dx   t %.2f s   %s", scale, timer->getTime(), window.presenterName());
    else
        snprintf(rate, sizeof(rate), "%.2f fps   %dx   t %.2f s   %s", fps, scale, timer->getTime(),
                 window.presenterName());
    const std::string line = rate + (script.inUse() ? "   script " + script.fileName() : std::string());
    canvas->fillStyle(vec4(0, 0, 0, 0.6f));
    canvas->fillRect(0, HostSurface::kHeight - kHelpHeight, HostSurface::kWidth, kHelpHeight);
    canvas->fillStyle(vec4(1, 1, 1, 1));
    canvas->printText(6, HostSurface::kHeight - 39, "Space pause  Left/Right seek  F3 scale  F5 shaders  F12 capture");
    canvas->fillStyle(vec4(1, 0.85f, 0.4f, 1));
    canvas->printText(6, HostSurface::kHeight - 21, line);
}

void QuenfoldAppDelegate::drawNotice(double now)
{
    const float fade = static_cast<float>(std::min(1.0, (noticeUntil - now) / 0.3)); // fades at the end
    const float w = canvas->textWidth(notice) + 24;
    const float x = (HostSurface::kWidth - w) / 2;
    canvas->fillStyle(vec4(0.05f, 0.06f, 0.08f, 0.75f * fade));
    canvas->fillRect(x, 140, w, 30);
    canvas->fillStyle(vec4(1, 1, 1, fade));
    canvas->printText(static_cast<int>(x) + 12, 145, notice);
}

int QuenfoldAppDelegate::stripBottom() const
{
    return helpShown ? HostSurface::kHeight - kHelpHeight : HostSurface::kHeight;
}

void QuenfoldAppDelegate::applyScript(bool fresh)
{
    if (!script.inUse() || !glScreen || !glScreen->demo())
        return;
    script.applyTo(*glScreen->demo(), fresh);
    strip.forget();
    strip.setLabel(script.summary(*glScreen->demo()));
}

void QuenfoldAppDelegate::seekFromStrip(int x)
{
    if (glScreen && glScreen->demo()) // the screen may have changed during a drag
        glScreen->playback().seekTo(static_cast<float>(strip.timeAt(x)));
}
