#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace resgen {

// Straight (non-premultiplied) RGBA colour with float channels in 0..1.
struct Rgba {
    float r = 0, g = 0, b = 0, a = 1;
};

Rgba mix(const Rgba& x, const Rgba& y, float t);
Rgba scaled(const Rgba& c, float k);

// A float RGBA picture that generators paint into before it is quantised.
class Image {
public:
    Image(int width, int height, Rgba fill = {0, 0, 0, 0});

    int width() const { return w; }
    int height() const { return h; }

    Rgba& at(int x, int y) { return pixels[static_cast<size_t>(y) * w + x]; }
    const Rgba& at(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }
    // Bilinear sample in pixel units, clamped at the border.
    Rgba sample(float x, float y) const;

    // Porter-Duff "over" of a colour with coverage k.
    void blendOver(int x, int y, const Rgba& c, float k);
    // Adds colour to rgb (and keeps alpha at least a).
    void add(int x, int y, const Rgba& c, float k);

    void fillRect(int x0, int y0, int x1, int y1, const Rgba& c);
    void strokeRect(int x0, int y0, int x1, int y1, int thickness, const Rgba& c);
    void fillCircle(float cx, float cy, float radius, const Rgba& c);
    void strokeCircle(float cx, float cy, float radius, float thickness, const Rgba& c);
    void drawLine(float x0, float y0, float x1, float y1, float thickness, const Rgba& c);
    // Draws img with its top-left corner at (x, y), alpha-blended.
    void draw(const Image& img, int x, int y);
    // Box blur of every channel, repeated `passes` times.
    void blur(int radius, int passes);
    Image resized(int newWidth, int newHeight) const;

    // 8-bit RGBA, rows top to bottom.
    std::vector<uint8_t> toRgba8() const;

private:
    int w;
    int h;
    std::vector<Rgba> pixels;
};

} // namespace resgen
