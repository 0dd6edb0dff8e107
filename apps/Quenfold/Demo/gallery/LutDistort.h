#pragma once

#include "framework/Effect.h"

#include <memory>

namespace vell {
class Shader;
class Texture2D;
} // namespace vell

// One full-screen quad through a shader that distorts a picture by a computed
// look-up of source coordinates. A tap steps through nine modes; dragging
// across the screen cross-fades from the distorted picture to the look-up
// itself (its source coordinates as red and green).
class LutDistort : public Effect {
public:
    LutDistort();
    ~LutDistort() override;

    void draw() override;
    void onMouseDown(int x, int y, int touchCount) override;
    void onMouseMove(int x, int y, int touchCount) override;

    // The picture a mode distorts: stripes in modes 1 and 2, the checker in
    // mode 8, the clouds otherwise.
    vell::Texture2D* textureFor(int shaderMode) const;

    std::unique_ptr<vell::Shader> shader; // invalid when its source is missing
    std::unique_ptr<vell::Texture2D> texture0;
    std::unique_ptr<vell::Texture2D> texture1;
    std::unique_ptr<vell::Texture2D> texture2;
    std::unique_ptr<vell::Texture2D> texture3;
    int mode = 8;
    int modeCount = 9;
    float crossFade = 0;
};
