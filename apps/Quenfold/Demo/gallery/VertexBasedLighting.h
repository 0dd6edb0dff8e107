#pragma once

#include "framework/Effect.h"
#include "math/Vec.h"

#include <memory>

class BlurFilter;
class Canvas;
class Font;

namespace vell {
class Geometry;
class Overlay;
class RenderTexture;
class Shader;
} // namespace vell

// A spinning torus under one point light, lit per vertex or per pixel. Touch
// controls on the left pick the lighting and a value to edit (the two radii,
// the tessellation, the colour, a post blur); the slider column on the right
// edits it by dragging.
class VertexBasedLighting : public Effect {
public:
    static constexpr int colorRow = 6;

    VertexBasedLighting();
    ~VertexBasedLighting() override;

    void draw() override;
    void onMouseDown(int x, int y, int touchCount) override;
    void onMouseMove(int x, int y, int touchCount) override;

    // Takes the slider values over; true when the torus was rebuilt.
    bool updateTorus();

    std::unique_ptr<vell::Shader> perVertexShader;
    std::unique_ptr<vell::Shader> perPixelShader;
    std::unique_ptr<vell::Geometry> torus;
    bool perVertex = true;
    float spinAngle = 0;
    float spinSpeed = 0;
    vell::vec2 touchPosition;
    std::unique_ptr<Font> font;
    std::unique_ptr<Canvas> canvas;
    int buttonWidth = 64;
    int buttonHeight = 40;
    float bigRadius = 1.0f;
    float bigRadiusValue = 1.0f;
    float smallRadius = 0.3f;
    float smallRadiusValue = 0.3f;
    int sides = 6;
    float sidesValue = 0.5f;
    int segments = 6;
    float segmentsValue = 0.5f;
    vell::vec3 color;
    int selectedButton = -1;      // control row 2..7; other values: none
    float* activeSlider = nullptr; // the value the slider column edits
    float touchStartY = 0;
    std::unique_ptr<vell::RenderTexture> sceneTexture;
    std::unique_ptr<vell::Overlay> overlay;
    std::unique_ptr<BlurFilter> blurFilter;
    float blurAmount = 0;

private:
    void toggle(int row, float* value);
    void dragColor(float v);
    void drawScene();
    void drawControls();
};
