#include "ImageFile.h"

#include "ImageHeader.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// An SDL stream that appends whatever is written to a byte vector.
size_t appendToVector(SDL_RWops* rw, const void* data, size_t size, size_t count)
{
    auto* bytes = static_cast<std::vector<uint8_t>*>(rw->hidden.unknown.data1);
    const auto* p = static_cast<const uint8_t*>(data);
    bytes->insert(bytes->end(), p, p + size * count);
    return count;
}

bool encodePng(SDL_Surface* surface, std::vector<uint8_t>* bytes)
{
    SDL_RWops* rw = SDL_AllocRW();
    if (!rw)
        return false;
    rw->type = SDL_RWOPS_UNKNOWN;
    rw->hidden.unknown.data1 = bytes;
    rw->write = appendToVector;
    rw->size = [](SDL_RWops*) -> Sint64 { return -1; };
    rw->seek = [](SDL_RWops*, Sint64, int) -> Sint64 { return -1; };
    rw->read = [](SDL_RWops*, void*, size_t, size_t) -> size_t { return 0; };
    rw->close = [](SDL_RWops* self) {
        SDL_FreeRW(self);
        return 0;
    };
    return IMG_SavePNG_RW(surface, rw, 1) == 0;
}

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string* reason)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) {
        *reason = strerror(errno);
        return false;
    }
    const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && fflush(file) == 0;
    const int writeError = errno;
    const bool closed = fclose(file) == 0;
    if (written && closed)
        return true;
    *reason = strerror(written ? errno : writeError);
    remove(path.c_str());
    return false;
}

} // namespace

bool ImageFile::writePng(const std::string& path, const std::vector<uint8_t>& rgba, int width,
                         int height, std::string* reason)
{
    std::string ignored;
    if (!reason)
        reason = &ignored;
    if (width <= 0 || height <= 0 || rgba.size() != static_cast<size_t>(width) * height * 4) {
        *reason = "bad image size";
        return false;
    }
    SDL_Surface* rgb = SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_RGB24);
    if (!rgb) {
        *reason = SDL_GetError();
        return false;
    }
    for (int y = 0; y < height; ++y) {
        auto* dst = static_cast<uint8_t*>(rgb->pixels) + y * rgb->pitch;
        const uint8_t* src = &rgba[static_cast<size_t>(y) * width * 4];
        for (int x = 0; x < width; ++x)
            memcpy(dst + x * 3, src + x * 4, 3);
    }
    std::vector<uint8_t> bytes;
    const bool encoded = encodePng(rgb, &bytes);
    SDL_FreeSurface(rgb);
    if (!encoded) {
        *reason = IMG_GetError();
        return false;
    }
    return writeBytes(path, bytes, reason);
}

bool ImageFile::read(const std::string& path, std::vector<uint8_t>* rgba, int* width, int* height)
{
    std::string bytes;
    const ImageHeader::Format format = ImageHeader::readForDecoding(path, &bytes);
    if (format == ImageHeader::Format::None)
        return false;
    // The decoder the signature names, never one guessed from the content.
    SDL_RWops* file = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!file)
        return false;
    SDL_Surface* loaded = format == ImageHeader::Format::Png ? IMG_LoadPNG_RW(file) : IMG_LoadJPG_RW(file);
    SDL_RWclose(file);
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
