#include "Gradients.h"

#include "Noise.h"

#include <algorithm>
#include <cmath>

namespace resgen {

namespace {

constexpr float pi = 3.14159265f;

float smoothstep(float e0, float e1, float x)
{
    const float t = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

} // namespace

Rgba Gradients::ramp(const std::vector<Rgba>& stops, float t)
{
    t = std::clamp(t, 0.0f, 1.0f) * static_cast<float>(stops.size() - 1);
    const size_t i = std::min(static_cast<size_t>(t), stops.size() - 2);
    return mix(stops[i], stops[i + 1], t - static_cast<float>(i));
}

Image Gradients::vertical(int width, int height, const std::vector<Rgba>& stops)
{
    Image img(width, height);
    for (int y = 0; y < height; ++y) {
        const Rgba c = ramp(stops, static_cast<float>(y) / static_cast<float>(height - 1));
        for (int x = 0; x < width; ++x)
            img.at(x, y) = c;
    }
    return img;
}

Image Gradients::retroSunset()
{
    Image img = vertical(256, 256, {{0.02f, 0.0f, 0.12f, 1}, {0.25f, 0.02f, 0.4f, 1}, {0.85f, 0.1f, 0.55f, 1},
                                    {1.0f, 0.55f, 0.2f, 1}, {1.0f, 0.9f, 0.45f, 1}});
    // Sun bands cut by the horizon, grid floor below it.
    const int horizon = 168;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            if (y < horizon) {
                const float d = std::hypot(x - 128.0f, y - static_cast<float>(horizon));
                const bool gap = y > 110 && ((horizon - y) % 12) < (horizon - y) / 14;
                if (d < 70 && !gap)
                    img.blendOver(x, y, Gradients::ramp({{1, 0.95f, 0.5f, 1}, {1, 0.3f, 0.5f, 1}}, (y - 98) / 70.0f),
                                  std::clamp(70 - d, 0.0f, 1.0f));
            } else {
                const float depth = static_cast<float>(y - horizon) / (256 - horizon);
                Rgba floor = mix({0.2f, 0.0f, 0.3f, 1}, {0.02f, 0.0f, 0.08f, 1}, depth);
                const float gx = std::fabs(std::fmod((x - 128.0f) / (0.15f + depth) + 1000.0f, 24.0f) - 12.0f);
                const float gy = std::fabs(std::fmod(std::log(1.0f + depth * 20.0f) * 6.0f, 1.0f) - 0.5f);
                const float line = std::max(smoothstep(1.5f, 0.0f, gx), smoothstep(0.08f, 0.0f, gy));
                img.at(x, y) = mix(floor, {1, 0.3f, 0.9f, 1}, line * (1 - depth * 0.3f));
            }
        }
    return img;
}

Image Gradients::retroTint()
{
    return vertical(256, 256, {{0.15f, 0.85f, 1.0f, 1}, {0.45f, 0.35f, 1.0f, 1}, {1.0f, 0.3f, 0.8f, 1},
                               {1.0f, 0.6f, 0.3f, 1}, {1.0f, 0.95f, 0.6f, 1}});
}

Image Gradients::redTint()
{
    return vertical(256, 256, {{1.0f, 0.95f, 0.7f, 1}, {1.0f, 0.6f, 0.15f, 1}, {0.95f, 0.15f, 0.1f, 1},
                               {0.45f, 0.0f, 0.15f, 1}});
}

Image Gradients::blueBackground()
{
    Image img = vertical(256, 256, {{0.0f, 0.01f, 0.06f, 1}, {0.02f, 0.08f, 0.25f, 1}, {0.05f, 0.3f, 0.6f, 1},
                                    {0.4f, 0.8f, 1.0f, 1}});
    const Noise noise(11);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const float n = noise.fbm(x / 64.0f, y / 64.0f, 4, 4) - 0.5f;
            Rgba& p = img.at(x, y);
            p = {p.r + n * 0.06f, p.g + n * 0.1f, p.b + n * 0.14f, 1};
        }
    return img;
}

Image Gradients::plasma()
{
    Image img(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            // Tileable: every term has a whole number of periods across the image.
            const float u = x * 2 * pi / 256;
            const float v = y * 2 * pi / 256;
            const float s = std::sin(u * 2) + std::sin(v * 3) + std::sin(u + v * 2) + std::sin(std::sin(u) * 3 + v * 4);
            const float p = s * 0.8f;
            img.at(x, y) = {0.5f + 0.5f * std::sin(p * pi), 0.5f + 0.5f * std::sin(p * pi + 2.1f),
                            0.5f + 0.5f * std::sin(p * pi + 4.2f), 1};
        }
    return img;
}

Image Gradients::stripes(int bands, float slope, const std::vector<Rgba>& colours)
{
    Image img(256, 256);
    const int n = static_cast<int>(colours.size());
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            // slope is a whole number, so the stripes wrap seamlessly in both directions.
            const float t = (x + slope * y) / 256.0f * static_cast<float>(bands);
            const float f = t - std::floor(t);
            const int k = static_cast<int>(std::floor(t)) % n;
            const Rgba a = colours[static_cast<size_t>((k + n) % n)];
            const Rgba b = colours[static_cast<size_t>((k + 1 + n) % n)];
            // Hard edges softened over a pixel, with a bevel highlight near each edge.
            const float edge = smoothstep(0.96f, 1.0f, f);
            Rgba c = mix(a, b, edge);
            const float shine = 1.0f + 0.25f * std::sin(f * pi);
            img.at(x, y) = {c.r * shine, c.g * shine, c.b * shine, 1};
        }
    return img;
}

Image Gradients::darkCorners()
{
    Image img(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const float u = (x + 0.5f) / 128.0f - 1;
            const float v = (y + 0.5f) / 128.0f - 1;
            const float d = std::sqrt(u * u + v * v) / std::sqrt(2.0f);
            img.at(x, y) = {0, 0, 0, std::pow(smoothstep(0.35f, 1.0f, d), 1.3f) * 0.95f};
        }
    return img;
}

Image Gradients::pyramidFace()
{
    Image img(256, 256, {1, 1, 1, 1});
    // Faint nested triangles toward the apex, like etched glass.
    for (int i = 0; i < 6; ++i) {
        const float inset = 10.0f + i * 20.0f;
        const float apexY = 8 + inset * 1.2f;
        const Rgba line{0.78f, 0.82f, 0.9f, 1};
        img.drawLine(128, apexY, inset, 248 - inset * 0.4f, 2, line);
        img.drawLine(128, apexY, 256 - inset, 248 - inset * 0.4f, 2, line);
        img.drawLine(inset, 248 - inset * 0.4f, 256 - inset, 248 - inset * 0.4f, 2, line);
    }
    return img;
}

bool Gradients::writeAll(ResourceWriter& out)
{
    return out.savePng("retroGradient01.png", retroSunset()) && out.savePng("retroGradient02.png", retroTint())
        && out.savePng("redgradient.png", redTint()) && out.savePng("blueGradient2.png", blueBackground())
        && out.savePng("plazma.png", plasma())
        && out.savePng("stripes.png", stripes(8, 0, {{1, 0.2f, 0.4f, 1}, {1, 0.8f, 0.2f, 1}, {0.2f, 0.8f, 1, 1},
                                                      {0.5f, 0.2f, 0.9f, 1}}))
        && out.savePng("stripes3.png", stripes(12, 1, {{0.05f, 0.05f, 0.1f, 1}, {0.9f, 0.9f, 1, 1}, {0.1f, 0.5f, 1, 1}}))
        && out.savePng("DarkCornersOverlay.png", darkCorners()) && out.savePng("whitePiramid2.png", pyramidFace());
}

} // namespace resgen
