#include "gallery/FallingRain.h"

#include "graphics/Shader.h"

using vell::vec3;

FallingRain::FallingRain(const char* shaderFile, float triangleSize, float depth_)
    : drops(triangleSize, 0.4f), depth(depth_)
{
    genTriangles();
    shader.reset(vell::Shader::fromFile(shaderFile, false));
}

FallingRain::~FallingRain() = default;

void FallingRain::genTriangles()
{
    const vec3 scale(10, 5, depth);
    drops.generate(300, 453453, [scale] { return DropField::randomPoint(scale, vec3()); });
}
