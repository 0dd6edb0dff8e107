#pragma once

#include "anim/AnimatedField.h"
#include "anim/FieldKeys.h"
#include "framework/GLApp.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class Canvas;
class Effect;
class ScriptFile;
class ScriptTracks;
class PinkSky;
class Piramid;
class QuadLand2;
class Rings;
class SorvLogo3;
class Stars;
class TarskFade;
class TriangleRain5;
class Tunnel;

// The demo: nine effects drawn in creation order, their fields driven by the
// script's keyframe tracks, the music started as init ends. Destroy it while
// its GL context is current: its tracks leave the animation registry, then
// the effects and the canvas are deleted.
class Mirande : public GLApp {
public:
    Mirande();
    ~Mirande() override;

    static constexpr const char* kMusic = "2010-04-03.mp3";

    void init() override;
    void draw() override;
    void onMouseDown(int x, int y, int touchCount) override {}
    void onMouseUp(int x, int y, int touchCount) override {}
    void onMouseMove(int x, int y, int touchCount) override {}
    // The empty canvas pass; the state it leaves is where the next frame starts.
    void displayStats();

    // Every field the script animates, in the order its keys were added.
    const std::vector<AnimatedField>& animatedFields() const { return fields; }
    // Gives the fields a script file names its keys in place of their own (the
    // others keep or get back the built-in ones); from the next frame on, at
    // the current demo time. False with "FILE:LINE: fault", nothing changed.
    bool useScript(const ScriptFile& file, std::string* error);
    // The built-in keys and what a script file changed of them (after init).
    const ScriptTracks& scriptTracks() const { return *tracks; }
    // Called every frame once the fields hold their values, before any effect draws.
    void setFieldObserver(std::function<void()> observer) { fieldObserver = std::move(observer); }

    std::vector<Effect*> effects; // owned
    QuadLand2* quadLand2 = nullptr;
    TriangleRain5* triangleRain5 = nullptr;
    PinkSky* pinkSky = nullptr;
    Piramid* piramid = nullptr;
    TarskFade* tarskFade = nullptr;
    Stars* stars = nullptr;
    SorvLogo3* sorvLogo3 = nullptr;
    Tunnel* tunnel = nullptr;
    Rings* rings = nullptr;

private:
    // Creates an effect, adds its keys and appends it to the draw list.
    template <typename E>
    void add(E** effect, void (Mirande::*script)());
    template <typename T>
    FieldKeys<T> bind(const char* name, T* field);

    void scriptPinkSky();
    void scriptQuadLand2();
    void scriptTriangleRain5();
    void scriptPiramid();
    void scriptTunnel();
    void scriptStars();
    void scriptRings();
    void scriptSorvLogo3();
    void scriptTarskFade();

    std::unique_ptr<Canvas> canvas;
    std::vector<AnimatedField> fields;
    std::unique_ptr<ScriptTracks> tracks;
    std::function<void()> fieldObserver;
};
