#include "Indicators.h"

#include "FontFiles.h"
#include "TypeFace.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace resgen {

namespace {

constexpr int size = 128;
constexpr float pi = 3.14159265f;

const std::array<Rgba, 3> palette{{{0.3f, 0.95f, 1.0f, 1}, {0.4f, 1.0f, 0.45f, 1}, {1.0f, 0.7f, 0.2f, 1}}};

// Points given in points, drawn k pixels to the point.
void polyline(Image& img, std::initializer_list<std::array<float, 2>> points, float thickness, const Rgba& c, float k)
{
    const std::array<float, 2>* prev = nullptr;
    for (const auto& p : points) {
        if (prev)
            img.drawLine((*prev)[0] * k, (*prev)[1] * k, p[0] * k, p[1] * k, thickness * k, c);
        prev = &p;
    }
}

} // namespace

void Indicators::drawSymbol(Image& img, int index, const Rgba& c, float k)
{
    const Rgba dim{c.r, c.g, c.b, 0.45f};
    // Coordinates below are in points; a card is `size` points on a side.
    auto line = [&img, k](float x0, float y0, float x1, float y1, float t, const Rgba& col) {
        img.drawLine(x0 * k, y0 * k, x1 * k, y1 * k, t * k, col);
    };
    auto disc = [&img, k](float x, float y, float r, const Rgba& col) { img.fillCircle(x * k, y * k, r * k, col); };
    auto ring = [&img, k](float x, float y, float r, float t, const Rgba& col) {
        img.strokeCircle(x * k, y * k, r * k, t * k, col);
    };
    const int s = static_cast<int>(k);
    switch (index) {
    case 0: // radar
        for (int r = 14; r <= 42; r += 14)
            ring(64, 66, static_cast<float>(r), 1.5f, dim);
        for (int j = 0; j < 24; ++j) {
            const float a = -pi / 2 + j * 0.05f;
            line(64, 66, 64 + 42 * std::cos(a), 66 + 42 * std::sin(a), 2, {c.r, c.g, c.b, 1 - j / 24.0f});
        }
        disc(80, 52, 3, c);
        break;
    case 1: // bar graph
        for (int j = 0; j < 7; ++j) {
            const int h = 12 + (j * 37 % 50);
            img.fillRect((22 + j * 12) * s, (98 - h) * s, (31 + j * 12) * s, 98 * s, j % 3 == 0 ? c : dim);
        }
        break;
    case 2: // waveform
        for (int j = 18 * s; j < 110 * s; ++j) {
            const float x = static_cast<float>(j) / k;
            const float x1 = static_cast<float>(j + 1) / k;
            const float y0 = 66 + 22 * std::sin(x * 0.16f) * std::sin(x * 0.031f);
            const float y1 = 66 + 22 * std::sin(x1 * 0.16f) * std::sin(x1 * 0.031f);
            line(x, y0, x1, y1, 2, c);
        }
        line(18, 66, 110, 66, 1, dim);
        break;
    case 3: // crosshair
        ring(64, 66, 30, 2, c);
        for (int j = 0; j < 4; ++j) {
            const float dx = std::cos(j * pi / 2);
            const float dy = std::sin(j * pi / 2);
            line(64 + 12 * dx, 66 + 12 * dy, 64 + 40 * dx, 66 + 40 * dy, 2, c);
        }
        disc(64, 66, 3, c);
        break;
    case 4: // chevrons
        for (int j = 0; j < 3; ++j) {
            const float x = 34.0f + j * 22;
            line(x, 44, x + 18, 66, 5, j == 2 ? c : dim);
            line(x + 18, 66, x, 88, 5, j == 2 ? c : dim);
        }
        break;
    case 5: // dot grid with a highlighted path
        for (int j = 0; j < 6; ++j)
            for (int i = 0; i < 6; ++i)
                disc(29.0f + i * 14, 31.0f + j * 14, 2, dim);
        polyline(img, {{29, 101}, {57, 73}, {85, 87}, {99, 45}}, 2, c, k);
        break;
    case 6: // warning triangle
        polyline(img, {{64, 30}, {104, 98}, {24, 98}, {64, 30}}, 4, c, k);
        line(64, 52, 64, 78, 5, c);
        disc(64, 88, 3, c);
        break;
    case 7: // gauge
        ring(64, 76, 38, 3, dim);
        for (int j = 0; j <= 8; ++j) {
            const float a = pi + j * pi / 8;
            line(64 + 30 * std::cos(a), 76 + 30 * std::sin(a), 64 + 38 * std::cos(a), 76 + 38 * std::sin(a), 2, c);
        }
        line(64, 76, 64 + 34 * std::cos(1.7f * pi), 76 + 34 * std::sin(1.7f * pi), 3, c);
        disc(64, 76, 4, c);
        break;
    default: // spiral, in finer steps at larger scales
        for (int j = 0; j < 200 * s; ++j) {
            const float a0 = static_cast<float>(j) / k * 0.09f;
            const float a1 = static_cast<float>(j + 1) / k * 0.09f;
            line(64 + a0 * 2.3f * std::cos(a0), 66 + a0 * 2.3f * std::sin(a0), 64 + a1 * 2.3f * std::cos(a1),
                 66 + a1 * 2.3f * std::sin(a1), 2, c);
        }
        break;
    }
}

Image Indicators::card(int index, int s)
{
    const float k = static_cast<float>(s);
    Image img(size * s, size * s, {0, 0, 0, 1});
    const Rgba c = palette[static_cast<size_t>(index % 3)];
    // Corner brackets and a label strip.
    const Rgba frame{c.r, c.g, c.b, 0.9f};
    img.strokeRect(4 * s, 4 * s, (size - 4) * s, (size - 4) * s, s, {c.r, c.g, c.b, 0.3f});
    for (int sx : {0, 1})
        for (int sy : {0, 1}) {
            const float x = sx ? size - 6.0f : 6.0f;
            const float y = sy ? size - 6.0f : 6.0f;
            img.drawLine(x * k, y * k, (x + (sx ? -16.0f : 16.0f)) * k, y * k, 3 * k, frame);
            img.drawLine(x * k, y * k, x * k, (y + (sy ? -16.0f : 16.0f)) * k, 3 * k, frame);
        }
    drawSymbol(img, index, c, k);
    char label[16];
    std::snprintf(label, sizeof label, "%02d", index + 1);
    TypeFace face(monoBoldFont, 13 * s);
    face.drawText(img, 12 * s, 22 * s, label, c);
    for (int j = 0; j < 4; ++j)
        img.fillRect((84 + j * 8) * s, 14 * s, (89 + j * 8) * s, 20 * s, j <= index % 4 ? c : Rgba{c.r, c.g, c.b, 0.3f});
    return img;
}

bool Indicators::writeAll(ResourceWriter& out, int s)
{
    for (int i = 0; i < 9; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "indicator%02d.png", i + 1);
        if (!out.savePng(name, card(i, s), s))
            return false;
    }
    return true;
}

} // namespace resgen
