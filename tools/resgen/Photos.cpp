#include "Photos.h"

#include "Noise.h"

#include <algorithm>
#include <cmath>

namespace resgen {

namespace {

constexpr int size = 256;

} // namespace

void Photos::fillEllipse(Image& img, float cx, float cy, float rx, float ry, float angle, const Paint& paint)
{
    const float ca = std::cos(angle);
    const float sa = std::sin(angle);
    const float reach = std::max(rx, ry) + 2;
    for (int y = static_cast<int>(cy - reach); y <= static_cast<int>(cy + reach); ++y)
        for (int x = static_cast<int>(cx - reach); x <= static_cast<int>(cx + reach); ++x) {
            const float dx = x + 0.5f - cx;
            const float dy = y + 0.5f - cy;
            const float u = (dx * ca + dy * sa) / rx;
            const float v = (-dx * sa + dy * ca) / ry;
            const float d = std::sqrt(u * u + v * v);
            const float edge = std::clamp((1 - d) * std::min(rx, ry), 0.0f, 1.0f);
            if (edge > 0)
                img.blendOver(x, y, paint(u, v), edge);
        }
}

void Photos::addGrain(Image& img, unsigned seed, float amount)
{
    Rng rng(seed);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const float g = (rng.uniform() - 0.5f) * amount;
            Rgba& p = img.at(x, y);
            p = {p.r + g, p.g + g, p.b + g, p.a};
        }
}

Image Photos::kingfisher(int s)
{
    const float k = static_cast<float>(s);
    const int side = size * s;
    Image img(side, side, {0, 0, 0, 1});
    const Noise noise(3);
    // Out-of-focus reeds behind the bird.
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const float n = noise.fbm(x / (90.0f * k), y / (90.0f * k), 3, 0);
            img.at(x, y) = {0.12f + 0.25f * n, 0.3f + 0.35f * n, 0.18f + 0.2f * n, 1};
        }
    Rng rng(9);
    // The draws stay in one call, in the compiler's order of arguments, as the 1x picture was made.
    for (int i = 0; i < 14; ++i)
        img.fillCircle(rng.range(0, size) * k, rng.range(0, size) * k, rng.range(8, 22) * k, {0.7f, 0.85f, 0.5f, 0.18f});
    img.blur(6 * s, 2);

    const Noise feathers(4);
    auto textured = [&](Rgba base, float scale) {
        return [&feathers, base, scale](float u, float v) {
            const float n = feathers.fbm(u * scale + 10, v * scale * 2 + 10, 3, 0) - 0.5f;
            return Rgba{base.r + n * 0.3f, base.g + n * 0.3f, base.b + n * 0.3f, 1};
        };
    };
    auto ellipse = [&img, k](float cx, float cy, float rx, float ry, float angle, const Paint& paint) {
        fillEllipse(img, cx * k, cy * k, rx * k, ry * k, angle, paint);
    };
    // Branch.
    img.drawLine(-10 * k, 214 * k, 270 * k, 176 * k, 16 * k, {0.3f, 0.2f, 0.12f, 1});
    img.drawLine(-10 * k, 210 * k, 270 * k, 172 * k, 4 * k, {0.45f, 0.32f, 0.2f, 1});
    // Tail, back, breast, head.
    ellipse(92, 190, 44, 12, 2.35f, textured({0.05f, 0.35f, 0.65f, 1}, 6));
    ellipse(120, 140, 52, 38, 2.2f, textured({0.1f, 0.55f, 0.75f, 1}, 5));
    ellipse(142, 152, 36, 30, 2.0f, textured({0.95f, 0.5f, 0.15f, 1}, 4));
    ellipse(150, 92, 34, 31, 0, textured({0.08f, 0.45f, 0.72f, 1}, 7));
    // Turquoise back stripe and speckled crown.
    ellipse(112, 130, 36, 6, 2.2f, [](float, float) { return Rgba{0.3f, 0.95f, 0.95f, 0.8f}; });
    for (int i = 0; i < 40; ++i)
        img.fillCircle(rng.range(128, 172) * k, rng.range(66, 92) * k, 1.6f * k, {0.5f, 0.95f, 1, 0.8f});
    // Cheek patch, white throat, eye and beak.
    ellipse(160, 100, 16, 8, 0.2f, [](float, float) { return Rgba{0.98f, 0.55f, 0.2f, 1}; });
    ellipse(170, 118, 10, 7, 0.3f, [](float, float) { return Rgba{0.95f, 0.93f, 0.85f, 1}; });
    img.fillCircle(168 * k, 86 * k, 5 * k, {0.02f, 0.02f, 0.03f, 1});
    img.fillCircle(169.5f * k, 84.5f * k, 1.5f * k, {1, 1, 1, 0.9f});
    for (int i = 0; i < 10; ++i)
        img.drawLine(176 * k, (88.0f + i * 0.8f) * k, 236 * k, (96.0f + i * 0.1f) * k, 1.6f * k,
                     {0.08f, 0.06f, 0.06f, 1});
    img.blur(s, 1);
    addGrain(img, 17, 0.05f);
    return img;
}

Image Photos::landscape(int s)
{
    const float k = static_cast<float>(s);
    const int side = size * s;
    Image img(side, side, {0, 0, 0, 1});
    const Noise noise(8);
    const int horizon = 150 * s;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const float px = static_cast<float>(x) / k; // in points
            const float py = static_cast<float>(y) / k;
            Rgba c;
            if (y < horizon) {
                const float t = static_cast<float>(y) / horizon;
                c = mix({0.3f, 0.5f, 0.85f, 1}, {0.9f, 0.85f, 0.75f, 1}, t * t);
                const float cl = std::clamp((noise.fbm(px / 70.0f, py / 25.0f, 5, 0) - 0.5f) * 3, 0.0f, 1.0f);
                c = mix(c, {1, 0.98f, 0.95f, 1}, cl * (1 - t));
            } else {
                // The lake mirrors the sky, darker and rippled.
                const float ry = static_cast<float>(2 * horizon - y);
                const float t = ry / horizon;
                c = mix({0.2f, 0.35f, 0.55f, 1}, {0.6f, 0.6f, 0.6f, 1}, t * t);
                c = scaled(c, 0.75f + 0.1f * std::sin(py * 1.3f + noise.value(px / 12.0f, py / 3.0f, 0) * 6));
            }
            img.at(x, y) = c;
        }
    // Three ridges, the far ones hazier, each mirrored in the water.
    const Rgba ridges[3] = {{0.45f, 0.55f, 0.7f, 1}, {0.25f, 0.4f, 0.35f, 1}, {0.12f, 0.25f, 0.12f, 1}};
    for (int j = 0; j < 3; ++j)
        for (int x = 0; x < side; ++x) {
            const float px = static_cast<float>(x) / k;
            const float h =
                (30 + j * -8 + 40 * noise.fbm(px / (90.0f - j * 20), static_cast<float>(j * 7), 4, 0) * (1 + j * 0.3f)) * k;
            const int top = horizon - static_cast<int>(h) + j * 6 * s;
            for (int y = top; y < horizon; ++y) {
                const float shade = 1 - 0.3f * (y - top) / std::max(1.0f, h);
                img.at(x, y) = scaled(ridges[j], shade);
                const int my = 2 * horizon - y - 1;
                if (my < side)
                    img.at(x, my) = mix(img.at(x, my), scaled(ridges[j], 0.6f), 0.7f);
            }
        }
    // Grassy bank in the foreground.
    for (int x = 0; x < side; ++x) {
        const float px = static_cast<float>(x) / k;
        const int top = 215 * s + static_cast<int>(20 * noise.fbm(px / 50.0f, 3, 3, 0) * k);
        for (int y = top; y < side; ++y) {
            const float n = noise.value(px / 2.0f, static_cast<float>(y) / k / 9.0f, 0);
            img.at(x, y) = {0.15f + 0.2f * n, 0.3f + 0.25f * n, 0.08f, 1};
        }
    }
    img.blur(s, 1);
    addGrain(img, 23, 0.04f);
    return img;
}

bool Photos::writeAll(ResourceWriter& out, int s)
{
    return out.saveJpg("kingfisher256x256.jpg", kingfisher(s), 90, s)
        && out.saveJpg("marrowby256x256.jpg", landscape(s), 90, s);
}

} // namespace resgen
