#include "Sprites.h"

#include "Environment.h"
#include "Noise.h"

#include <algorithm>
#include <cmath>

namespace resgen {

namespace {

// Calls paint(x, y, u, v, r) for every pixel, with (u, v) in -1..1 from the centre and r = |(u, v)|.
template <typename Paint>
void paintCentred(Image& img, Paint paint)
{
    const int size = img.width();
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float u = (x + 0.5f) / (size / 2) - 1;
            const float v = (y + 0.5f) / (size / 2) - 1;
            paint(x, y, u, v, std::sqrt(u * u + v * v));
        }
}

} // namespace

Image Sprites::flare(int s)
{
    Image img(128 * s, 128 * s);
    paintCentred(img, [&](int x, int y, float u, float v, float r) {
        const float core = std::exp(-r * r * 60.0f);
        const float halo = std::exp(-r * 4.5f) * 0.55f;
        // Four thin rays and a faint ring.
        const float rays = (std::exp(-std::fabs(u) * 60.0f) + std::exp(-std::fabs(v) * 60.0f)) * std::max(0.0f, 1 - r) * 0.35f;
        const float ring = std::exp(-std::pow((r - 0.62f) * 22.0f, 2.0f)) * 0.08f;
        const float edge = std::clamp((1 - r) * 6.0f, 0.0f, 1.0f);
        const float i = std::min(1.0f, (core + halo + rays + ring) * edge);
        img.at(x, y) = {1, 0.97f, 0.92f, i};
    });
    return img;
}

Image Sprites::cloud(int s)
{
    Image img(128 * s, 128 * s);
    const Noise noise(7);
    const float k = static_cast<float>(s);
    const int octaves = 5 + (s >= 4 ? 2 : s >= 2 ? 1 : 0); // one more for each doubling
    paintCentred(img, [&](int x, int y, float, float v, float r) {
        const float n = noise.fbm(x / (32.0f * k), y / (32.0f * k), octaves, 0);
        const float density = std::clamp((1 - r * 1.15f) * 1.6f + (n - 0.5f) * 1.4f, 0.0f, 1.0f);
        // Lit from above: the lower part is a little greyer.
        const float shade = 1.0f - 0.25f * std::clamp(v * 0.5f + 0.5f, 0.0f, 1.0f) * density;
        img.at(x, y) = {shade, shade, std::min(1.0f, shade + 0.04f), density * density * (3 - 2 * density)};
    });
    return img;
}

Image Sprites::cloudsTile()
{
    const int size = 256;
    Image img(size, size);
    const Noise noise(21);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float n = noise.fbm(x / 64.0f, y / 64.0f, 6, 4);
            const float c = std::clamp((n - 0.42f) * 3.0f, 0.0f, 1.0f);
            const Rgba sky{0.18f + 0.1f * n, 0.42f + 0.15f * n, 0.85f, 1};
            img.at(x, y) = mix(sky, {1, 1, 1, 1}, c * c * (3 - 2 * c));
        }
    return img;
}

Image Sprites::lightProbe(int s)
{
    const int size = 256 * s;
    Image img(size, size, {0, 0, 0, 1});
    const Environment warm = Environment::warmRoom();
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float u = (x + 0.5f) / (size / 2) - 1;
            const float v = 1 - (y + 0.5f) / (size / 2);
            const float r2 = u * u + v * v;
            if (r2 > 1.0f)
                continue;
            // Mirror ball seen along -z: reflect the view ray about the sphere normal.
            const float nz = std::sqrt(1 - r2);
            const float rx = 2 * nz * u;
            const float ry = 2 * nz * v;
            const float rz = 2 * nz * nz - 1;
            const Rgba c = warm.radiance(rx, ry, rz);
            const float edge = std::clamp((1 - std::sqrt(r2)) * (size / 2.0f), 0.0f, 1.0f);
            img.at(x, y) = scaled(c, edge);
        }
    return img;
}

bool Sprites::writeAll(ResourceWriter& out, int s)
{
    return out.savePng("flare.png", flare(s), s) && out.savePng("cloud.png", cloud(s), s)
        && (s > 1 || out.savePng("clouds_mirror.png", cloudsTile()))
        && out.savePng("ExampleTexturingSEMLightProbeWarm.png", lightProbe(s), s);
}

} // namespace resgen
