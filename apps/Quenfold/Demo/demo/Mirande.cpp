#include "demo/Mirande.h"

#include "anim/Anim.h"
#include "demo/PinkSky.h"
#include "demo/Piramid.h"
#include "demo/QuadLand2.h"
#include "demo/Rings.h"
#include "demo/SorvLogo3.h"
#include "demo/Stars.h"
#include "demo/TarskFade.h"
#include "demo/TriangleRain5.h"
#include "demo/Tunnel.h"
#include "script/ScriptTracks.h"
#include "toolkit/Canvas.h"
#include "utils/Platform.h"
#include "utils/Timer.h"

#include <variant>

using vell::vec3;
using vell::vec4;

namespace {

// Interpolation of the segment that starts at a key.
constexpr int kStep = 0;
constexpr int kLinear = 1;
constexpr int kEaseIn = 2;
constexpr int kEaseOut = 3;

// A beat of the music: its measured time less the lead 0.85, in double precision.
float beat(double measured)
{
    return static_cast<float>(measured - 0.85f);
}

const float kBeat1 = beat(114.93); // 114.08
const float kBeat2 = beat(121.69); // 120.84
const float kBeat3 = beat(128.45); // 127.6
const float kBeat4 = beat(135.71); // 134.86
const float kLogoStart = 161.6f;   // the logo section's times are offsets from here, in float

const vec4 kClear(0, 0, 0, 0);
const vec4 kBlack(0, 0, 0, 1);
const vec4 kWhite(1, 1, 1, 1);
const vec4 kSea(0, 0.3f, 0.45f, 0);

} // namespace

// Binds object->field under the name "Class.field".
#define TRACK(Class, object, field) bind(#Class "." #field, &(object)->field)

template <typename T>
FieldKeys<T> Mirande::bind(const char* name, T* field)
{
    fields.push_back({name, field});
    return FieldKeys<T>(field);
}

template <typename E>
void Mirande::add(E** effect, void (Mirande::*script)())
{
    *effect = new E();
    (this->*script)();
    effects.push_back(*effect);
}

Mirande::Mirande() = default;
Mirande::~Mirande()
{
    for (const AnimatedField& field : fields)
        std::visit([](void* address) { Anim::forget(address); }, field.address);
    for (Effect* effect : effects)
        delete effect;
}

void Mirande::init()
{
    GLApp::init();
    canvas = std::make_unique<Canvas>(static_cast<int>(osGetWindowWidth()), static_cast<int>(osGetWindowHeight()));

    add(&pinkSky, &Mirande::scriptPinkSky);
    add(&quadLand2, &Mirande::scriptQuadLand2);
    add(&triangleRain5, &Mirande::scriptTriangleRain5);
    add(&piramid, &Mirande::scriptPiramid);
    add(&tunnel, &Mirande::scriptTunnel);
    add(&stars, &Mirande::scriptStars);
    add(&rings, &Mirande::scriptRings);
    add(&sorvLogo3, &Mirande::scriptSorvLogo3);
    add(&tarskFade, &Mirande::scriptTarskFade);
    tunnel->window = piramid;
    quadLand2->cover = piramid;
    quadLand2->clearedBy = tunnel;
    piramid->ground = quadLand2;
    tracks = std::make_unique<ScriptTracks>(fields);

    vell::Timer::getInstance()->setTimeShift(0);
    osPlayMp3(kMusic, 0);
}

bool Mirande::useScript(const ScriptFile& file, std::string* error)
{
    return tracks->apply(file, error);
}

void Mirande::draw()
{
    GLApp::draw();
    Anim::update();
    if (fieldObserver)
        fieldObserver();
    for (Effect* effect : effects)
        if (effect->enabled)
            effect->draw();
    displayStats();
}

void Mirande::displayStats()
{
    canvas->begin();
    canvas->end();
}

void Mirande::scriptPinkSky()
{
    TRACK(PinkSky, pinkSky, enabled).add(11, true).add(27, false);
}

void Mirande::scriptQuadLand2()
{
    TRACK(QuadLand2, quadLand2, enabled).add(0, true).add(81, false);
    TRACK(QuadLand2, quadLand2, renderToTexture).add(27, true);
    TRACK(QuadLand2, quadLand2, logoAlpha).add(16, 0, kStep).add(45, 0, kLinear).add(50, 1, kStep).add(60, 0, kStep);
    TRACK(QuadLand2, quadLand2, scrollSpeed).add(0, 0.8f, kStep).add(10, 0.8f, kLinear).add(11.5f, 1, kLinear);
    TRACK(QuadLand2, quadLand2, heightScale).add(20, 1, kLinear).add(27, 0, kLinear);
    TRACK(QuadLand2, quadLand2, cameraHeight).add(35, 8, kLinear).add(45, 2, kStep);
    TRACK(QuadLand2, quadLand2, rippleAmplitude)
        .add(54, 4, kEaseOut).add(57.2f, 0, kStep)
        .add(57.25f, 2, kEaseOut).add(60.9f, 0, kStep)
        .add(61, 4, kEaseOut).add(65, 0, kStep)
        .add(74, 4, kEaseOut).add(77, 0, kStep);
    TRACK(QuadLand2, quadLand2, overheadCamera).add(60, true).add(66, false);
}

void Mirande::scriptTriangleRain5()
{
    TRACK(TriangleRain5, triangleRain5, enabled).add(1, true).add(12, false);
    TRACK(TriangleRain5, triangleRain5, alpha).add(10, 1, kLinear).add(12, 0, kLinear);
}

void Mirande::scriptPiramid()
{
    TRACK(Piramid, piramid, enabled).add(27, true).add(81, false);
    TRACK(Piramid, piramid, pyramidZ).add(27, -150, kLinear).add(35, -20, kStep).add(77, -20, kLinear).add(80, -0.1f, kLinear);
    TRACK(Piramid, piramid, cameraHeight).add(35, 8, kLinear).add(45, 2, kStep).add(72, 2, kLinear).add(80, 7, kLinear);
    TRACK(Piramid, piramid, fillColor).add(74, kWhite, kLinear).add(77, kSea, kLinear);
    TRACK(Piramid, piramid, edgeColor).add(74, kWhite, kLinear).add(77, kSea, kLinear);
    TRACK(Piramid, piramid, overheadCamera).add(60, true).add(66, false);
    TRACK(Piramid, piramid, pyramidY).add(60, 0, kLinear).add(66, -2, kLinear);
    TRACK(Piramid, piramid, freezeRotation).add(72, true);
}

void Mirande::scriptTunnel()
{
    TRACK(Tunnel, tunnel, enabled).add(77, true).add(160, false);
    TRACK(Tunnel, tunnel, progress).add(77, 0, kLinear).add(108, 1, kLinear);
    TRACK(Tunnel, tunnel, clearColor).add(105, kSea, kLinear).add(108, kClear, kLinear);
}

// A camera flight towards the viewer between beats, faster stretched stars after each.
void Mirande::scriptStars()
{
    TRACK(Stars, stars, enabled).add(107, true).add(kBeat1, true).add(kBeat2, true).add(kBeat3, true)
        .add(kBeat4, true).add(kBeat4, false);
    TRACK(Stars, stars, cameraZ)
        .add(107, -15, kLinear).add(kBeat1, 15, kLinear)
        .add(kBeat1, -15, kLinear).add(kBeat2, 15, kLinear)
        .add(kBeat2, -15, kLinear).add(kBeat3, 15, kLinear)
        .add(kBeat3, -15, kLinear).add(kBeat4, 15, kLinear);
    TRACK(Stars, stars, alpha).add(107, 0, kLinear).add(108, 1, kStep);
    TRACK(Stars, stars, starScale).add(107, 1, kStep).add(kBeat1, 10, kStep).add(kBeat2, 20, kStep).add(kBeat3, 30, kStep);
}

void Mirande::scriptRings()
{
    TRACK(Rings, rings, enabled).add(kBeat4, true).add(kLogoStart, false);
    TRACK(Rings, rings, spareVector).add(200, vec3(0, 8, 0), kLinear).add(220, vec3(16, -8, 0), kLinear);
    TRACK(Rings, rings, stage).add(142, 1, kStep).add(149, 2, kStep);
    TRACK(Rings, rings, blurStrength)
        .add(kBeat4, 0, kLinear).add(kBeat4 + 2, 0, kStep).add(158, 0, kLinear).add(kLogoStart, 3, kLinear);
}

void Mirande::scriptSorvLogo3()
{
    const float s = kLogoStart;
    TRACK(SorvLogo3, sorvLogo3, enabled).add(s, true).add(210, false);
    TRACK(SorvLogo3, sorvLogo3, introPan).add(s, 1, kEaseOut).add(s + 3, 0, kEaseIn);
    TRACK(SorvLogo3, sorvLogo3, musicCreditAlpha).add(s + 2, 0, kLinear).add(s + 4, 1, kStep).add(s + 6, 0, kLinear);
    TRACK(SorvLogo3, sorvLogo3, stage).add(s + 6, 1, kStep).add(s + 13, 2, kStep);
    TRACK(SorvLogo3, sorvLogo3, codeCreditAlpha)
        .add(s + 6, 0, kLinear).add(s + 8, 1, kLinear).add(s + 10.5f, 1, kLinear).add(s + 11.5f, 0, kLinear);
    TRACK(SorvLogo3, sorvLogo3, eventLogoAlpha).add(195, 0, kLinear).add(200, 1, kLinear);
    TRACK(SorvLogo3, sorvLogo3, cameraPosition)
        .add(s + 6, vec3(5, 0, -12), kLinear).add(s + 13, vec3(3, 0, -6), kStep)
        .add(s + 13, vec3(-12, 0, 11), kLinear).add(200, vec3(15, 0, 11), kLinear);
    TRACK(SorvLogo3, sorvLogo3, cameraUp).add(s + 13, vec3(1, 0, 0), kStep);
    TRACK(SorvLogo3, sorvLogo3, cameraTarget)
        .add(s + 6, vec3(-5, 0, 0), kStep).add(s + 13, vec3(-5, 0, 0), kStep)
        .add(s + 13, vec3(-14, 0, 0), kLinear).add(205, vec3(50, 0, 0), kLinear);
}

void Mirande::scriptTarskFade()
{
    TRACK(TarskFade, tarskFade, enabled).add(0, true);
    TRACK(TarskFade, tarskFade, fadeColor)
        .add(0, kClear, kLinear).add(5, kClear, kStep)
        .add(26.8f, kWhite, kLinear).add(28, kClear, kStep)
        .add(60, kBlack, kLinear).add(61, kClear, kStep)
        .add(66, kBlack, kLinear).add(67, kClear, kStep)
        .add(kBeat1, kBlack, kLinear).add(115.08f, kClear, kStep)
        .add(kBeat2, kBlack, kLinear).add(121.84f, kClear, kStep)
        .add(kBeat3, kBlack, kLinear).add(128.6f, kClear, kStep)
        .add(kLogoStart, kBlack, kLinear).add(kLogoStart + 1, kClear, kStep)
        .add(kLogoStart + 6, kBlack, kLinear).add(kLogoStart + 7, kClear, kStep)
        .add(kLogoStart + 13, kBlack, kLinear).add(kLogoStart + 14, kClear, kStep);
}
