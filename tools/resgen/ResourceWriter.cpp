#include "ResourceWriter.h"

#include "ScaledResource.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace resgen {

namespace {

constexpr int thumbSize = 112;

template <typename Save>
bool saveSurface(const Image& image, Save save)
{
    std::vector<uint8_t> rgba = image.toRgba8();
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        rgba.data(), image.width(), image.height(), 32, image.width() * 4, SDL_PIXELFORMAT_RGBA32);
    if (!surface)
        return false;
    const bool ok = save(surface) == 0;
    SDL_FreeSurface(surface);
    return ok;
}

} // namespace

ResourceWriter::ResourceWriter(std::string directory) : dir(std::move(directory))
{
}

std::string ResourceWriter::pathOf(const std::string& name) const
{
    return dir + "/" + name;
}

bool ResourceWriter::report(bool success, const std::string& name)
{
    if (!success) {
        std::fprintf(stderr, "quenfold-resgen: cannot write %s: %s\n", pathOf(name).c_str(), SDL_GetError());
        ++failures;
    }
    return success;
}

void ResourceWriter::remember(const std::string& name, const Image& image)
{
    const float scale = static_cast<float>(thumbSize) / std::max(image.width(), image.height());
    const int tw = std::max(1, static_cast<int>(image.width() * scale));
    const int th = std::max(1, static_cast<int>(image.height() * scale));
    written.push_back({name, image.resized(tw, th)});
}

bool ResourceWriter::savePng(const std::string& baseName, const Image& image, int scale)
{
    const std::string name = ScaledResource::scaledName(baseName, scale);
    if (scale == 1)
        remember(name, image);
    const std::string path = pathOf(name);
    return report(saveSurface(image, [&](SDL_Surface* s) { return IMG_SavePNG(s, path.c_str()); }), name);
}

bool ResourceWriter::saveJpg(const std::string& baseName, const Image& image, int quality, int scale)
{
    const std::string name = ScaledResource::scaledName(baseName, scale);
    Image flat(image.width(), image.height(), {0, 0, 0, 1});
    flat.draw(image, 0, 0);
    if (scale == 1)
        remember(name, flat);
    const std::string path = pathOf(name);
    return report(saveSurface(flat, [&](SDL_Surface* s) { return IMG_SaveJPG(s, path.c_str(), quality); }), name);
}

bool ResourceWriter::saveBytes(const std::string& baseName, const std::vector<uint8_t>& bytes, int scale)
{
    const std::string name = ScaledResource::scaledName(baseName, scale);
    std::ofstream out(pathOf(name), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return report(static_cast<bool>(out), name);
}

} // namespace resgen
