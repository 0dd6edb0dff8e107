#pragma once

#include "framework/Effect.h"
#include "math/Vec.h"

#include <memory>

class GeometryGroup;

namespace vell {
class Camera;
class Geometry;
class Shader;
} // namespace vell

// The group's logo model inside a sky sphere, seen through a wide-angle camera
// whose sideways position follows the finger. The model is drawn twice, with
// "maskSign" +1 and then -1, so its shader can show two complementary halves.
class LogoInSky : public Effect {
public:
    ~LogoInSky() override;

    void draw() override;
    // The vertical touch position puts the eye at x = -10 (top) to 10 (bottom), z = 3.
    void onMouseMove(int x, int y, int touchCount) override;

    std::unique_ptr<vell::Camera> camera;
    std::unique_ptr<vell::Shader> logoShader;
    std::unique_ptr<GeometryGroup> logo; // null when the model did not load: no logo passes
    std::unique_ptr<vell::Geometry> sky;
    std::unique_ptr<vell::Shader> skyShader;
    vell::vec3 cameraPosition;
    vell::vec3 cameraTarget;

protected:
    LogoInSky(const char* logoShaderFile, const char* skyShaderFile, bool advancesClock);

private:
    void drawSky();
    void drawLogo();

    bool advancesClock; // advance the frame clock once more in each draw
};
