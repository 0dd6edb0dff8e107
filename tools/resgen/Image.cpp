#include "Image.h"

#include <algorithm>
#include <cmath>

namespace resgen {

Rgba mix(const Rgba& x, const Rgba& y, float t)
{
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}

Rgba scaled(const Rgba& c, float k)
{
    return {c.r * k, c.g * k, c.b * k, c.a};
}

Image::Image(int width, int height, Rgba fill)
    : w(width), h(height), pixels(static_cast<size_t>(width) * height, fill)
{
}

Rgba Image::sample(float x, float y) const
{
    x = std::clamp(x, 0.0f, static_cast<float>(w - 1));
    y = std::clamp(y, 0.0f, static_cast<float>(h - 1));
    const int x0 = static_cast<int>(x);
    const int y0 = static_cast<int>(y);
    const int x1 = std::min(x0 + 1, w - 1);
    const int y1 = std::min(y0 + 1, h - 1);
    const float fx = x - x0;
    const float fy = y - y0;
    return mix(mix(at(x0, y0), at(x1, y0), fx), mix(at(x0, y1), at(x1, y1), fx), fy);
}

void Image::blendOver(int x, int y, const Rgba& c, float k)
{
    if (x < 0 || y < 0 || x >= w || y >= h || k <= 0.0f)
        return;
    Rgba& d = at(x, y);
    const float sa = std::min(1.0f, c.a * k);
    const float da = d.a * (1.0f - sa);
    const float oa = sa + da;
    if (oa <= 0.0f)
        return;
    d.r = (c.r * sa + d.r * da) / oa;
    d.g = (c.g * sa + d.g * da) / oa;
    d.b = (c.b * sa + d.b * da) / oa;
    d.a = oa;
}

void Image::add(int x, int y, const Rgba& c, float k)
{
    if (x < 0 || y < 0 || x >= w || y >= h)
        return;
    Rgba& d = at(x, y);
    d.r += c.r * k;
    d.g += c.g * k;
    d.b += c.b * k;
    d.a = std::max(d.a, c.a * k);
}

void Image::fillRect(int x0, int y0, int x1, int y1, const Rgba& c)
{
    for (int y = std::max(0, y0); y < std::min(h, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(w, x1); ++x)
            blendOver(x, y, c, 1.0f);
}

void Image::strokeRect(int x0, int y0, int x1, int y1, int thickness, const Rgba& c)
{
    fillRect(x0, y0, x1, y0 + thickness, c);
    fillRect(x0, y1 - thickness, x1, y1, c);
    fillRect(x0, y0 + thickness, x0 + thickness, y1 - thickness, c);
    fillRect(x1 - thickness, y0 + thickness, x1, y1 - thickness, c);
}

namespace {

// Coverage of a pixel whose centre lies `distance` inside an edge (antialiased over one pixel).
float coverage(float distance)
{
    return std::clamp(distance + 0.5f, 0.0f, 1.0f);
}

} // namespace

void Image::fillCircle(float cx, float cy, float radius, const Rgba& c)
{
    for (int y = static_cast<int>(cy - radius - 1); y <= static_cast<int>(cy + radius + 1); ++y)
        for (int x = static_cast<int>(cx - radius - 1); x <= static_cast<int>(cx + radius + 1); ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            blendOver(x, y, c, coverage(radius - d));
        }
}

void Image::strokeCircle(float cx, float cy, float radius, float thickness, const Rgba& c)
{
    const float outer = radius + thickness * 0.5f;
    for (int y = static_cast<int>(cy - outer - 1); y <= static_cast<int>(cy + outer + 1); ++y)
        for (int x = static_cast<int>(cx - outer - 1); x <= static_cast<int>(cx + outer + 1); ++x) {
            const float d = std::fabs(std::hypot(x + 0.5f - cx, y + 0.5f - cy) - radius);
            blendOver(x, y, c, coverage(thickness * 0.5f - d));
        }
}

void Image::drawLine(float x0, float y0, float x1, float y1, float thickness, const Rgba& c)
{
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    const float len2 = std::max(1e-6f, dx * dx + dy * dy);
    const float r = thickness * 0.5f;
    const int minX = static_cast<int>(std::min(x0, x1) - r - 1);
    const int maxX = static_cast<int>(std::max(x0, x1) + r + 1);
    const int minY = static_cast<int>(std::min(y0, y1) - r - 1);
    const int maxY = static_cast<int>(std::max(y0, y1) + r + 1);
    for (int y = minY; y <= maxY; ++y)
        for (int x = minX; x <= maxX; ++x) {
            const float px = x + 0.5f - x0;
            const float py = y + 0.5f - y0;
            const float t = std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f);
            const float d = std::hypot(px - t * dx, py - t * dy);
            blendOver(x, y, c, coverage(r - d));
        }
}

void Image::draw(const Image& img, int x, int y)
{
    for (int j = 0; j < img.height(); ++j)
        for (int i = 0; i < img.width(); ++i)
            blendOver(x + i, y + j, img.at(i, j), 1.0f);
}

void Image::blur(int radius, int passes)
{
    std::vector<Rgba> tmp(pixels.size());
    auto pass = [&](bool horizontal) {
        const int n = horizontal ? w : h;
        const int lines = horizontal ? h : w;
        for (int l = 0; l < lines; ++l) {
            auto px = [&](int i) -> Rgba& {
                const int c = std::clamp(i, 0, n - 1);
                return horizontal ? pixels[static_cast<size_t>(l) * w + c] : pixels[static_cast<size_t>(c) * w + l];
            };
            Rgba sum{0, 0, 0, 0};
            for (int i = -radius; i <= radius; ++i) {
                const Rgba& p = px(i);
                sum = {sum.r + p.r, sum.g + p.g, sum.b + p.b, sum.a + p.a};
            }
            const float k = 1.0f / (2 * radius + 1);
            for (int i = 0; i < n; ++i) {
                const size_t idx = horizontal ? static_cast<size_t>(l) * w + i : static_cast<size_t>(i) * w + l;
                tmp[idx] = {sum.r * k, sum.g * k, sum.b * k, sum.a * k};
                const Rgba& in = px(i + radius + 1);
                const Rgba& out = px(i - radius);
                sum = {sum.r + in.r - out.r, sum.g + in.g - out.g, sum.b + in.b - out.b, sum.a + in.a - out.a};
            }
        }
        pixels.swap(tmp);
    };
    for (int p = 0; p < passes; ++p) {
        pass(true);
        pass(false);
    }
}

Image Image::resized(int newWidth, int newHeight) const
{
    Image out(newWidth, newHeight);
    const float sx = static_cast<float>(w) / newWidth;
    const float sy = static_cast<float>(h) / newHeight;
    for (int y = 0; y < newHeight; ++y)
        for (int x = 0; x < newWidth; ++x) {
            // Average the source footprint so downscaling does not alias.
            Rgba sum{0, 0, 0, 0};
            const int n = std::max(1, static_cast<int>(std::ceil(std::max(sx, sy))));
            for (int j = 0; j < n; ++j)
                for (int i = 0; i < n; ++i) {
                    const Rgba p = sample((x + (i + 0.5f) / n) * sx - 0.5f, (y + (j + 0.5f) / n) * sy - 0.5f);
                    sum = {sum.r + p.r * p.a, sum.g + p.g * p.a, sum.b + p.b * p.a, sum.a + p.a};
                }
            const float a = sum.a / (n * n);
            out.at(x, y) = a > 0 ? Rgba{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, a} : Rgba{0, 0, 0, 0};
        }
    return out;
}

std::vector<uint8_t> Image::toRgba8() const
{
    std::vector<uint8_t> out(pixels.size() * 4);
    auto q = [](float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
    for (size_t i = 0; i < pixels.size(); ++i) {
        out[i * 4 + 0] = q(pixels[i].r);
        out[i * 4 + 1] = q(pixels[i].g);
        out[i * 4 + 2] = q(pixels[i].b);
        out[i * 4 + 3] = q(pixels[i].a);
    }
    return out;
}

} // namespace resgen
