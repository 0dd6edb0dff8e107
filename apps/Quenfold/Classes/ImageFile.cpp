#include "ImageFile.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

bool ImageFile::writePng(const std::string& path, const std::vector<uint8_t>& rgba, int width,
                          int height)
{
    if (width <= 0 || height <= 0 || rgba.size() != static_cast<size_t>(width) * height * 4)
        return false;
    SDL_Surface* rgb = SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_RGB24);
    if (!rgb)
        return false;
    for (int y = 0; y < height; ++y) {
        auto* dst = static_cast<uint8_t*>(rgb->pixels) + y * rgb->pitch;
        const uint8_t* src = &rgba[static_cast<size_t>(y) * width * 4];
        for (int x = 0; x < width; ++x)
            memcpy(dst + x * 3, src + x * 4, 3);
    }
    const bool ok = IMG_SavePNG(rgb, path.c_str()) == 0;
    SDL_FreeSurface(rgb);
    return ok;
}

bool ImageFile::read(const std::string& path, std::vector<uint8_t>* rgba, int* width, int* height)
{
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded)
        return false;
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    if (!converted)
        return false;
    *width = converted->w;
    *height = converted->h;
    rgba->resize(static_cast<size_t>(converted->w) * converted->h * 4);
    for (int y = 0; y < converted->h; ++y)
        memcpy(&(*rgba)[static_cast<size_t>(y) * converted->w * 4],
               static_cast<uint8_t*>(converted->pixels) + y * converted->pitch,
               static_cast<size_t>(converted->w) * 4);
    SDL_FreeSurface(converted);
    return true;
}
