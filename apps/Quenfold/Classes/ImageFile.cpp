#include "ImageFile.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

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

uint32_t bigEndian(const unsigned char* p, int count)
{
    uint32_t v = 0;
    for (int i = 0; i < count; ++i)
        v = (v << 8) | p[i];
    return v;
}

bool pngSize(std::istream& in, int* width, int* height)
{
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    unsigned char head[24];
    if (!in.read(reinterpret_cast<char*>(head), sizeof(head)) || memcmp(head, signature, 8) != 0 ||
        memcmp(head + 12, "IHDR", 4) != 0)
        return false;
    const uint32_t w = bigEndian(head + 16, 4), h = bigEndian(head + 20, 4);
    if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF)
        return false;
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

// Walks the JPEG markers up to the first start-of-frame, which holds the size.
bool jpegSize(std::istream& in, int* width, int* height)
{
    unsigned char b[8];
    if (!in.read(reinterpret_cast<char*>(b), 2) || b[0] != 0xFF || b[1] != 0xD8)
        return false;
    for (;;) {
        if (!in.read(reinterpret_cast<char*>(b), 2) || b[0] != 0xFF)
            return false;
        const unsigned char marker = b[1];
        if (marker == 0xFF) { // fill byte
            in.seekg(-1, std::ios::cur);
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // markers without a length
        if (!in.read(reinterpret_cast<char*>(b), 2))
            return false;
        const uint32_t length = bigEndian(b, 2);
        if (length < 2)
            return false;
        const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 &&
                                  marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            if (length < 7 || !in.read(reinterpret_cast<char*>(b), 5))
                return false;
            *height = static_cast<int>(bigEndian(b + 1, 2));
            *width = static_cast<int>(bigEndian(b + 3, 2));
            return *width > 0 && *height > 0;
        }
        if (!in.seekg(length - 2, std::ios::cur))
            return false;
    }
}

// A JPEG whose last scan has no end-of-image marker after it was cut short; the
// decoder would fill the missing rows with grey without a word.
bool isCutShortJpeg(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.compare(0, 2, "\xFF\xD8") != 0)
        return false;
    const size_t scan = bytes.rfind("\xFF\xDA");
    const size_t end = bytes.rfind("\xFF\xD9");
    return end == std::string::npos || (scan != std::string::npos && end < scan);
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
    if (isCutShortJpeg(path))
        return false;
    // The decoder the signature names, never one guessed from the content.
    char head[2] = {};
    std::ifstream(path, std::ios::binary).read(head, sizeof(head));
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file)
        return false;
    SDL_Surface* loaded = head[0] == '\x89' ? IMG_LoadPNG_RW(file)
                          : head[0] == '\xFF' && head[1] == '\xD8' ? IMG_LoadJPG_RW(file)
                                                                 : nullptr;
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

bool ImageFile::declaredSize(const std::string& path, int* width, int* height)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    if (pngSize(in, width, height))
        return true;
    in.clear();
    in.seekg(0);
    return jpegSize(in, width, height);
}
