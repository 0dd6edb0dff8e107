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

Image Lettering::mirandeLogo()
{
    Image img(512, 256);
    drawLine(img, "MIRANDE", logoTitle(84, 10), 256, 146);
    // Thin rules framing the tag line.
    const Rgba rule{1, 0.6f, 0.9f, 0.9f};
    img.drawLine(40, 186, 170, 186, 2, rule);
    img.drawLine(342, 186, 472, 186, 2, rule);
    const Style tag{condensedBoldFont, 22, 6, {{1, 1, 1, 1}, {1, 0.8f, 0.95f, 1}}, {0.8f, 0.3f, 1, 0.6f}, 4};
    drawLine(img, "QUENFOLD", tag, 256, 194);
    return img;
}

Image Lettering::decrunching()
{
    Image img(512, 256, {0, 0, 0, 1});
    // Raster bars behind the text, the way a depacker shows it is busy.
    for (int y = 0; y < 256; ++y) {
        const float phase = static_cast<float>(y) * 0.21f;
        const Rgba bar{0.5f + 0.5f * std::sin(phase), 0.5f + 0.5f * std::sin(phase + 2.1f),
                       0.5f + 0.5f * std::sin(phase + 4.2f), (y / 2) % 2 == 0 ? 0.35f : 0.15f};
        for (int x = 0; x < 512; ++x)
            img.blendOver(x, y, bar, 1.0f);
    }
    img.fillRect(24, 78, 488, 178, {0, 0, 0, 0.85f});
    const Style text{monoBoldFont, 40, 2, {{1, 1, 1, 1}, {0.6f, 1, 0.6f, 1}}, {0.2f, 1, 0.3f, 0.6f}, 4};
    drawLine(img, "DECRUNCHING...", text, 256, 132);
    img.strokeRect(56, 146, 456, 164, 2, {0.6f, 1, 0.6f, 1});
    img.fillRect(60, 150, 340, 160, {0.6f, 1, 0.6f, 1});
    return img;
}

Image Lettering::credit(const std::string& role, const std::string& name, bool left, const Rgba& tint)
{
    Image img(512, 256);
    const int cx = left ? 172 : 340;
    const int base = left ? 200 : 118;
    const Style roleStyle{condensedBoldFont, 26, 8, {{1, 1, 1, 1}, tint}, tint, 3};
    const Style nameStyle{sansBoldFont, 72, 3, {{1, 1, 1, 1}, {1, 1, 1, 1}, tint}, scaled(tint, 0.8f), 8};
    drawLine(img, role, roleStyle, cx, base - 78);
    drawLine(img, name, nameStyle, cx, base);
    img.drawLine(static_cast<float>(cx - 110), static_cast<float>(base + 14), static_cast<float>(cx + 110),
                 static_cast<float>(base + 14), 2, tint);
    return img;
}

Image Lettering::eventLogo()
{
    Image img(512, 256);
    const Rgba gold{1, 0.7f, 0.2f, 1};
    const Style title{sansBoldFont, 96, 4, {{1, 1, 0.85f, 1}, gold, {0.9f, 0.3f, 0.1f, 1}}, {1, 0.45f, 0.1f, 0.8f}, 12};
    drawLine(img, "GATHRA", title, 256, 146);
    const Style year{condensedBoldFont, 28, 14, {{1, 1, 1, 1}, gold}, {1, 0.5f, 0.1f, 0.6f}, 4};
    drawLine(img, "2010", year, 256, 206);
    const Rgba rule{1, 0.7f, 0.3f, 0.8f};
    img.drawLine(60, 196, 190, 196, 2, rule);
    img.drawLine(322, 196, 452, 196, 2, rule);
    return img;
}

Image Lettering::errorText()
{
    Image img(512, 256);
    const Rgba red{1, 0.15f, 0.1f, 1};
    img.fillRect(96, 84, 416, 172, {0.15f, 0, 0, 0.55f});
    img.strokeRect(96, 84, 416, 172, 3, red);
    const Style big{monoBoldFont, 52, 6, {{1, 0.9f, 0.85f, 1}, red}, {1, 0.1f, 0.05f, 0.7f}, 6};
    drawLine(img, "ERROR", big, 256, 140);
    const Style small{monoBoldFont, 14, 2, {{1, 0.6f, 0.5f, 1}}, {0, 0, 0, 0}, 0};
    drawLine(img, "SIGNAL LOST AT 0000D1CE", small, 256, 162);
    // Scan lines dim every other row.
    for (int y = 0; y < 256; y += 2)
        for (int x = 0; x < 512; ++x)
            img.at(x, y).a *= 0.7f;
    return img;
}

bool Lettering::writeAll(ResourceWriter& out)
{
    return out.savePng("mirandeLogo512x256.png", mirandeLogo()) && out.savePng("decrunching512x256.png", decrunching())
        && out.savePng("tarsk_music512.png", credit("MUSIC", "TARSK", true, {0.3f, 0.8f, 1, 1}))
        && out.savePng("keln_code512.png", credit("CODE", "KELN", false, {1, 0.4f, 0.8f, 1}))
        && out.savePng("gathra2.png", eventLogo()) && out.savePng("error_txt.png", errorText());
}

} // namespace resgen
