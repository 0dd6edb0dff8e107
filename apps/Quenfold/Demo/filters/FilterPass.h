#pragma once

#include <memory>

namespace vell {
class FBO;
class FullScreenQuad;
class Shader;
class Texture2D;
} // namespace vell

// What every full-screen filter owns: a framebuffer to render its result
// through, a full-screen quad and its shader.
class FilterPass {
public:
    FilterPass(const char* shaderFile, const char* filterName);
    ~FilterPass();
    FilterPass(const FilterPass&) = delete;
    FilterPass& operator=(const FilterPass&) = delete;

    // Bound, valid shader, or null after saying once in the log that the filter is off.
    vell::Shader* begin();
    // Renders the quad into target, reading from source on unit 0.
    void draw(vell::Texture2D* target, vell::Texture2D* source);

    vell::FBO& framebuffer() { return *fbo; }
    vell::Shader* program() { return shader.get(); }

private:
    std::unique_ptr<vell::FBO> fbo;
    std::unique_ptr<vell::Shader> shader;
    std::unique_ptr<vell::FullScreenQuad> quad;
    const char* name;
    bool reported = false;
};
