// The os... services on Linux: resources from disk, images through SDL_image,
// music through SDL_mixer, time and presentation through the current host.
#include "utils/Platform.h"

#include "HostClock.h"
#include "HostSurface.h"
#include "ResourceFiles.h"
#include "Utf8.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

unsigned int osGetWindowWidth()
{
    return HostSurface::kWidth;
}

unsigned int osGetWindowHeight()
{
    return HostSurface::kHeight;
}

void* osLoadBinaryFile(const char* name)
{
    std::string contents;
    if (!ResourceFiles::readFile(ResourceFiles::binaryPath(name), &contents))
        return nullptr;
    void* buffer = malloc(contents.empty() ? 1 : contents.size());
    if (buffer)
        memcpy(buffer, contents.data(), contents.size());
    return buffer;
}

const char* osLoadTextFile(const char* name)
{
    static std::string text; // valid until the next call
    std::string contents;
    if (!ResourceFiles::readFile(ResourceFiles::textPath(name), &contents) || !isValidUtf8(contents))
        return nullptr;
    text = std::move(contents);
    return text.c_str();
}

void* osLoadImageFile(const char* name, unsigned int* width, unsigned int* height,
                      unsigned int* bitsPerPixel)
{
    *width = 0;
    *height = 0;
    SDL_Surface* loaded = IMG_Load(ResourceFiles::textPath(name).c_str());
    if (!loaded)
        return nullptr;
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    if (!rgba)
        return nullptr;

    const size_t rowBytes = static_cast<size_t>(rgba->w) * 4;
    auto* pixels = static_cast<unsigned char*>(malloc(rowBytes * rgba->h));
    if (pixels) {
        for (int y = 0; y < rgba->h; ++y) {
            const auto* src = static_cast<const unsigned char*>(rgba->pixels) + y * rgba->pitch;
            unsigned char* dst = pixels + y * rowBytes;
            for (size_t x = 0; x < rowBytes; x += 4) {
                const unsigned int alpha = src[x + 3];
                for (int c = 0; c < 3; ++c)
                    dst[x + c] = static_cast<unsigned char>((src[x + c] * alpha + 127) / 255);
                dst[x + 3] = static_cast<unsigned char>(alpha);
            }
        }
        *width = static_cast<unsigned int>(rgba->w);
        *height = static_cast<unsigned int>(rgba->h);
        *bitsPerPixel = 32;
    }
    SDL_FreeSurface(rgba);
    return pixels;
}

namespace {

void logMusicFailure(const char* reason)
{
    fprintf(stderr, "Failed with reason: %s\n", reason);
}

} // namespace

void osPlayMp3(const char* name, float startSeconds)
{
    static Mix_Music* music = nullptr; // kept for the rest of the process
    if (music)
        return;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        logMusicFailure(SDL_GetError());
        return;
    }
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        logMusicFailure(Mix_GetError());
        return;
    }
    const std::string path = ResourceFiles::directory() + "/" + name;
    music = Mix_LoadMUS(path.c_str());
    if (!music) {
        logMusicFailure(Mix_GetError());
        Mix_CloseAudio();
        return;
    }
    // The position can only be set once the music plays.
    if (Mix_PlayMusic(music, 1) != 0 ||
        (startSeconds != 0 && Mix_SetMusicPosition(static_cast<double>(startSeconds)) != 0))
        logMusicFailure(Mix_GetError());
}

float osGetTime()
{
    return static_cast<float>(HostClock::now());
}

void osRenderbufferStorage()
{
    if (HostSurface* surface = HostSurface::current())
        surface->renderbufferStorage();
}

void osPresentRenderbuffer()
{
    if (HostSurface* surface = HostSurface::current())
        surface->present();
}
