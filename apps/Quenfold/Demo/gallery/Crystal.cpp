#include "gallery/Crystal.h"

#include "framework/EffectFactory.h"
#include "geom/Torus.h"
#include "graphics/Overlay.h"
#include "graphics/Shader.h"
#include "graphics/Texture2D.h"
#include "math/Mat.h"
#include "toolkit/Orbit.h"

#include <GLES2/gl2.h>

using namespace vell;

REGISTER_EFFECT(Crystal, 18);

Crystal::Crystal()
{
    torus = std::make_unique<Torus>(1.0f, 0.5f, 5, 5);
    shader.reset(Shader::fromFile("Crystal.glsl", false));
    overlayTexture.reset(Texture2D::fromFile("error_txt.png", false));
    overlay = std::make_unique<Overlay>();
}

Crystal::~Crystal() = default;

void Crystal::draw()
{
    const double t = advanceClock();
    glClearColor(0.3f, 0.1f, 0.3f, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    const mat4 projection = Orbit::windowProjection();
    const mat4 view = Orbit::view(t, 3, 0);
    if (shader) {
        shader->bind();
        shader->set("projectionMatrix", projection);
        shader->set("modelViewMatrix", view * mat4::translationMatrix(0, 0, 0));
    }

    glEnable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    // The triangle list read as line pairs: a sparse wire cage.
    if (shader) {
        shader->set("color", vec4(0.9f, 0.9f, 0.9f, 0.3f));
        torus->setPrimitiveType(Geometry::LINES);
        torus->render(shader.get());

        glEnable(GL_DEPTH_TEST);
        glDepthMask(GL_TRUE);
        shader->set("color", vec4(0.6f, 0.2f, 0.6f, 0.9f));
        torus->setPrimitiveType(Geometry::TRIANGLES);
        torus->render(shader.get());

        shader->set("color", vec4(0.9f, 0.9f, 0.9f, 0.9f));
        torus->setPrimitiveType(Geometry::LINES);
        torus->render(shader.get());
    }
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    if (overlayTexture)
        overlay->render(overlayTexture.get(), true);
}
