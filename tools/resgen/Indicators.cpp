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

void polyline(Image& img, std::initializer_list<std::array<float, 2>> points, float thickness, const Rgba& c)
{
    const std::array<float, 2>* prev = nullptr;
    for (const auto& p : points) {
        if (prev)
            img.drawLine((*prev)[0], (*prev)[1], p[0], p[1], thickness, c);
        prev = &p;
    }
}

} // namespace

void Indicators::drawSymbol(Image& img, int index, const Rgba& c)
{
    const Rgba dim{c.r, c.g, c.b, 0.45f};
    switch (index) {
    case 0: // radar
        for (int r = 14; r <= 42; r += 14)
            img.strokeCircle(64, 66, static_cast<float>(r), 1.5f, dim);
        for (int k = 0; k < 24; ++k) {
            const float a = -pi / 2 + k * 0.05f;
            img.drawLine(64, 66, 64 + 42 * std::cos(a), 66 + 42 * std::sin(a), 2, {c.r, c.g, c.b, 1 - k / 24.0f});
        }
        img.fillCircle(80, 52, 3, c);
        break;
    case 1: // bar graph
        for (int k = 0; k < 7; ++k) {
            const int h = 12 + (k * 37 % 50);
            img.fillRect(22 + k * 12, 98 - h, 31 + k * 12, 98, k % 3 == 0 ? c : dim);
        }
        break;
    case 2: // waveform
        for (int x = 18; x < 110; ++x) {
            const float y0 = 66 + 22 * std::sin(x * 0.16f) * std::sin(x * 0.031f);
            const float y1 = 66 + 22 * std::sin((x + 1) * 0.16f) * std::sin((x + 1) * 0.031f);
            img.drawLine(static_cast<float>(x), y0, static_cast<float>(x + 1), y1, 2, c);
        }
        img.drawLine(18, 66, 110, 66, 1, dim);
        break;
    case 3: // crosshair
        img.strokeCircle(64, 66, 30, 2, c);
        for (int k = 0; k < 4; ++k) {
            const float dx = std::cos(k * pi / 2);
            const float dy = std::sin(k * pi / 2);
            img.drawLine(64 + 12 * dx, 66 + 12 * dy, 64 + 40 * dx, 66 + 40 * dy, 2, c);
        }
        img.fillCircle(64, 66, 3, c);
        break;
    case 4: // chevrons
        for (int k = 0; k < 3; ++k) {
            const float x = 34.0f + k * 22;
            img.drawLine(x, 44, x + 18, 66, 5, k == 2 ? c : dim);
            img.drawLine(x + 18, 66, x, 88, 5, k == 2 ? c : dim);
        }
        break;
    case 5: // dot grid with a highlighted path
        for (int j = 0; j < 6; ++j)
            for (int i = 0; i < 6; ++i)
                img.fillCircle(29.0f + i * 14, 31.0f + j * 14, 2, dim);
        polyline(img, {{29, 101}, {57, 73}, {85, 87}, {99, 45}}, 2, c);
        break;
    case 6: // warning triangle
        polyline(img, {{64, 30}, {104, 98}, {24, 98}, {64, 30}}, 4, c);
        img.drawLine(64, 52, 64, 78, 5, c);
        img.fillCircle(64, 88, 3, c);
        break;
    case 7: // gauge
        img.strokeCircle(64, 76, 38, 3, dim);
        for (int k = 0; k <= 8; ++k) {
            const float a = pi + k * pi / 8;
            img.drawLine(64 + 30 * std::cos(a), 76 + 30 * std::sin(a), 64 + 38 * std::cos(a), 76 + 38 * std::sin(a), 2, c);
        }
        img.drawLine(64, 76, 64 + 34 * std::cos(1.7f * pi), 76 + 34 * std::sin(1.7f * pi), 3, c);
        img.fillCircle(64, 76, 4, c);
        break;
    default: // spiral
        for (int k = 0; k < 200; ++k) {
            const float a0 = k * 0.09f;
            const float a1 = (k + 1) * 0.09f;
            img.drawLine(64 + a0 * 2.3f * std::cos(a0), 66 + a0 * 2.3f * std::sin(a0), 64 + a1 * 2.3f * std::cos(a1),
                         66 + a1 * 2.3f * std::sin(a1), 2, c);
        }
        break;
    }
}

Image Indicators::card(int index)
{
    Image img(size, size, {0, 0, 0, 1});
    const Rgba c = palette[static_cast<size_t>(index % 3)];
    // Corner brackets and a label strip.
    const Rgba frame{c.r, c.g, c.b, 0.9f};
    img.strokeRect(4, 4, size - 4, size - 4, 1, {c.r, c.g, c.b, 0.3f});
    for (int sx : {0, 1})
        for (int sy : {0, 1}) {
            const float x = sx ? size - 6.0f : 6.0f;
            const float y = sy ? size - 6.0f : 6.0f;
            img.drawLine(x, y, x + (sx ? -16.0f : 16.0f), y, 3, frame);
            img.drawLine(x, y, x, y + (sy ? -16.0f : 16.0f), 3, frame);
        }
    drawSymbol(img, index, c);
    char label[16];
    std::snprintf(label, sizeof label, "%02d", index + 1);
    TypeFace face(monoBoldFont, 13);
    face.drawText(img, 12, 22, label, c);
    for (int k = 0; k < 4; ++k)
        img.fillRect(84 + k * 8, 14, 89 + k * 8, 20, k <= index % 4 ? c : Rgba{c.r, c.g, c.b, 0.3f});
    return img;
}

bool Indicators::writeAll(ResourceWriter& out)
{
    for (int i = 0; i < 9; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "indicator%02d.png", i + 1);
        if (!out.savePng(name, card(i)))
            return false;
    }
    return true;
}

} // namespace resgen
