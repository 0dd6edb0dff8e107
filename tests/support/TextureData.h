#pragma once

#include "graphics/Texture2D.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

using Texel = std::array<uint8_t, 4>;

// Level 0 of a 2D texture (or the bound framebuffer), rows in texture order.
std::vector<uint8_t> readTexture(const vell::Texture& texture);
std::vector<uint8_t> readBoundFramebuffer(int width, int height);
Texel texelAt(const std::vector<uint8_t>& rgba, int width, int x, int y);

// An RGBA texture made with Texture2D::create and filled with rgba (texture row order).
std::unique_ptr<vell::Texture2D> makeTexture(int width, int height, const std::vector<uint8_t>& rgba);
