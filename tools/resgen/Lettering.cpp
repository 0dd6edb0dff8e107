#include "Lettering.h"

#include "FontFiles.h"
#include "TypeFace.h"

#include <algorithm>
#include <cmath>

namespace resgen {

namespace {

Rgba gradientAt(const std::vector<Rgba>& stops, float t)
{
    if (stops.size() == 1)
        return stops[0];
    t = std::clamp(t, 0.0f, 1.0f) * static_cast<float>(stops.size() - 1);
    const size_t i = std::min(static_cast<size_t>(t), stops.size() - 2);
    return mix(stops[i], stops[i + 1], t - static_cast<float>(i));
}

const Rgba chromeTop{0.55f, 0.95f, 1.0f, 1};
const Rgba chromeMid{0.1f, 0.25f, 0.75f, 1};
const Rgba chromeHorizon{1.0f, 0.95f, 0.9f, 1};
const Rgba chromeLow{1.0f, 0.35f, 0.75f, 1};

} // namespace

void Lettering::drawLine(Image& target, const std::string& text, const Style& style, int centreX, int baselineY)
{
    TypeFace face(style.font, style.size);
    Image mask(target.width(), target.height());
    const int x = centreX - face.textWidth(text, style.tracking) / 2;
    face.drawText(mask, x, baselineY, text, {1, 1, 1, 1}, style.tracking);

    if (style.glowRadius > 0) {
        Image glow = mask;
        glow.blur(style.glowRadius, 3);
        for (int y = 0; y < target.height(); ++y)
            for (int i = 0; i < target.width(); ++i)
                target.blendOver(i, y, style.glow, std::min(1.0f, glow.at(i, y).a * 1.6f));
    }
    const float top = static_cast<float>(baselineY - face.glyph('H').top);
    const float height = static_cast<float>(baselineY) - top;
    for (int y = 0; y < target.height(); ++y) {
        const Rgba c = gradientAt(style.fill, (y - top) / height);
        for (int i = 0; i < target.width(); ++i)
            target.blendOver(i, y, c, mask.at(i, y).a);
    }
}

Lettering::Style Lettering::logoTitle(int size, int glowRadius)
{
    return {sansBoldFont, size, 2, {chromeTop, chromeMid, chromeHorizon, chromeLow, {1, 0.85f, 0.4f, 1}},
            {0.9f, 0.2f, 0.8f, 0.75f}, glowRadius};
}

Lettering::Style Lettering::scaledStyle(const Style& style, int s)
{
    Style scaled = style;
    scaled.size *= s;
    scaled.tracking *= s;
    scaled.glowRadius *= s;
    return scaled;
}

Image Lettering::mirandeLogo(int s)
{
    const float k = static_cast<float>(s);
    Image img(512 * s, 256 * s);
    drawLine(img, "MIRANDE", scaledStyle(logoTitle(84, 10), s), 256 * s, 146 * s);
    // Thin rules framing the tag line.
    const Rgba rule{1, 0.6f, 0.9f, 0.9f};
    img.drawLine(40 * k, 186 * k, 170 * k, 186 * k, 2 * k, rule);
    img.drawLine(342 * k, 186 * k, 472 * k, 186 * k, 2 * k, rule);
    const Style tag{condensedBoldFont, 22, 6, {{1, 1, 1, 1}, {1, 0.8f, 0.95f, 1}}, {0.8f, 0.3f, 1, 0.6f}, 4};
    drawLine(img, "QUENFOLD", scaledStyle(tag, s), 256 * s, 194 * s);
    return img;
}

Image Lettering::decrunching(int s)
{
    Image img(512 * s, 256 * s, {0, 0, 0, 1});
    // Raster bars behind the text, the way a depacker shows it is busy.
    for (int y = 0; y < 256 * s; ++y) {
        const float phase = (static_cast<float>(y) / static_cast<float>(s)) * 0.21f;
        const Rgba bar{0.5f + 0.5f * std::sin(phase), 0.5f + 0.5f * std::sin(phase + 2.1f),
                       0.5f + 0.5f * std::sin(phase + 4.2f), (y / s / 2) % 2 == 0 ? 0.35f : 0.15f};
        for (int x = 0; x < 512 * s; ++x)
            img.blendOver(x, y, bar, 1.0f);
    }
    img.fillRect(24 * s, 78 * s, 488 * s, 178 * s, {0, 0, 0, 0.85f});
    const Style text{monoBoldFont, 40, 2, {{1, 1, 1, 1}, {0.6f, 1, 0.6f, 1}}, {0.2f, 1, 0.3f, 0.6f}, 4};
    drawLine(img, "DECRUNCHING...", scaledStyle(text, s), 256 * s, 132 * s);
    img.strokeRect(56 * s, 146 * s, 456 * s, 164 * s, 2 * s, {0.6f, 1, 0.6f, 1});
    img.fillRect(60 * s, 150 * s, 340 * s, 160 * s, {0.6f, 1, 0.6f, 1});
    return img;
}

Image Lettering::credit(const std::string& role, const std::string& name, bool left, const Rgba& tint, int s)
{
    Image img(512 * s, 256 * s);
    const int cx = left ? 172 : 340;
    const int base = left ? 200 : 118;
    const Style roleStyle{condensedBoldFont, 26, 8, {{1, 1, 1, 1}, tint}, tint, 3};
    const Style nameStyle{sansBoldFont, 72, 3, {{1, 1, 1, 1}, {1, 1, 1, 1}, tint}, scaled(tint, 0.8f), 8};
    drawLine(img, role, scaledStyle(roleStyle, s), cx * s, (base - 78) * s);
    drawLine(img, name, scaledStyle(nameStyle, s), cx * s, base * s);
    const float k = static_cast<float>(s);
    img.drawLine(static_cast<float>(cx - 110) * k, static_cast<float>(base + 14) * k, static_cast<float>(cx + 110) * k,
                 static_cast<float>(base + 14) * k, 2 * k, tint);
    return img;
}

Image Lettering::eventLogo(int s)
{
    const float k = static_cast<float>(s);
    Image img(512 * s, 256 * s);
    const Rgba gold{1, 0.7f, 0.2f, 1};
    const Style title{sansBoldFont, 96, 4, {{1, 1, 0.85f, 1}, gold, {0.9f, 0.3f, 0.1f, 1}}, {1, 0.45f, 0.1f, 0.8f}, 12};
    drawLine(img, "GATHRA", scaledStyle(title, s), 256 * s, 146 * s);
    const Style year{condensedBoldFont, 28, 14, {{1, 1, 1, 1}, gold}, {1, 0.5f, 0.1f, 0.6f}, 4};
    drawLine(img, "2010", scaledStyle(year, s), 256 * s, 206 * s);
    const Rgba rule{1, 0.7f, 0.3f, 0.8f};
    img.drawLine(60 * k, 196 * k, 190 * k, 196 * k, 2 * k, rule);
    img.drawLine(322 * k, 196 * k, 452 * k, 196 * k, 2 * k, rule);
    return img;
}

Image Lettering::errorText(int s)
{
    Image img(512 * s, 256 * s);
    const Rgba red{1, 0.15f, 0.1f, 1};
    img.fillRect(96 * s, 84 * s, 416 * s, 172 * s, {0.15f, 0, 0, 0.55f});
    img.strokeRect(96 * s, 84 * s, 416 * s, 172 * s, 3 * s, red);
    const Style big{monoBoldFont, 52, 6, {{1, 0.9f, 0.85f, 1}, red}, {1, 0.1f, 0.05f, 0.7f}, 6};
    drawLine(img, "ERROR", scaledStyle(big, s), 256 * s, 140 * s);
    const Style small{monoBoldFont, 14, 2, {{1, 0.6f, 0.5f, 1}}, {0, 0, 0, 0}, 0};
    drawLine(img, "SIGNAL LOST AT 0000D1CE", scaledStyle(small, s), 256 * s, 162 * s);
    // Scan lines dim every other row of points.
    for (int y = 0; y < 256 * s; ++y)
        if (y / s % 2 == 0)
            for (int x = 0; x < 512 * s; ++x)
                img.at(x, y).a *= 0.7f;
    return img;
}

bool Lettering::writeAll(ResourceWriter& out, int s)
{
    return out.savePng("mirandeLogo512x256.png", mirandeLogo(s), s)
        && out.savePng("decrunching512x256.png", decrunching(s), s)
        && out.savePng("tarsk_music512.png", credit("MUSIC", "TARSK", true, {0.3f, 0.8f, 1, 1}, s), s)
        && out.savePng("keln_code512.png", credit("CODE", "KELN", false, {1, 0.4f, 0.8f, 1}, s), s)
        && out.savePng("gathra2.png", eventLogo(s), s) && out.savePng("error_txt.png", errorText(s), s);
}

} // namespace resgen
