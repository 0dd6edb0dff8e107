#pragma once

#include "framework/Effect.h"
#include "math/Mat.h"
#include "math/Vec.h"

#include <memory>
#include <vector>

namespace vell {
class Camera;
class Geometry;
class Overlay;
class Shader;
class Sphere;
class Texture2D;
} // namespace vell
class FrustumRuns;
class GeometryGroup;

// The group's logo inside a sky sphere, in one of three looks chosen by stage:
// 0 two halves of the mark seen through two cameras that pan together, 1 the
// mark in two tones, 2 the solid mark beaded with points on its surface.
// Up to three credit images are added over it.
class SorvLogo3 : public Effect {
public:
    static constexpr int particlesPerTriangle = 6;

    SorvLogo3();
    ~SorvLogo3() override;

    // Points scattered over every triangle of the model, with interpolated
    // "normal" and "normal2"; the caller owns the geometry.
    vell::Geometry* buildParticles() const;

    void draw() override;
    // The vertical touch position moves the eye sideways, from x = -10 at the top to 10 at the bottom.
    void onMouseMove(int x, int y, int touchCount) override;

    std::unique_ptr<vell::Camera> camera;
    std::unique_ptr<vell::Shader> logoShader;
    std::unique_ptr<vell::Shader> solidShader;
    std::unique_ptr<GeometryGroup> model; // null when the model did not load
    std::unique_ptr<vell::Sphere> skySphere;
    std::unique_ptr<vell::Shader> skyShader;
    std::unique_ptr<vell::Overlay> overlay;
    std::unique_ptr<vell::Texture2D> musicCredit;
    std::unique_ptr<vell::Texture2D> codeCredit;
    std::unique_ptr<vell::Geometry> particleGeometry;
    std::unique_ptr<vell::Shader> particleShader;
    std::unique_ptr<vell::Texture2D> eventLogo;
    int stage;
    vell::vec3 cameraPosition;
    vell::vec3 cameraTarget;
    vell::vec3 cameraUp;
    float musicCreditAlpha;
    float codeCreditAlpha;
    float introPan; // horizontal target offset of the stage-0 views
    float eventLogoAlpha;

private:
    float markRadius = 0; // how far from the centre the mark and its points reach
    // The solid mark's children and the points, drawn where the view may show them.
    std::vector<FrustumRuns> solidRuns;
    std::unique_ptr<FrustumRuns> particleRuns;
    // The farthest vertex of the model from its centre.
    float reach() const;
    // True when the sky, drawn after the mark, shows exactly where it would had it been drawn first.
    bool skyBehindMark() const;
    void drawSky(const vell::mat4& projection, const vell::mat4& view);
    void drawModel(vell::Shader& shader);
    void drawSplitViews();
    void drawTwoTones();
    void drawSolidAndParticles();
    void drawCredit(vell::Texture2D* credit, float alpha);
};
