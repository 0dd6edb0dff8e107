// The os... services on Linux: resources from disk, images through SDL_image,
// music through SDL_mixer, time and presentation through the current host.
#include "utils/Platform.h"

#include "HostClock.h"
#include "HostSurface.h"
#include "ImageFile.h"
#include "ResourceFiles.h"
#include "Utf8.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

unsigned int osGetWindowWidth()
{
    return HostSurface::kWidth;
}

unsigned int osGetWindowHeight()
{
    return HostSurface::kHeight;
}

void* osLoadBinaryFile(const char* name, size_t* size)
{
    std::string contents;
    if (!ResourceFiles::readFile(ResourceFiles::binaryPath(name), &contents))
        return nullptr;
    if (size)
        *size = contents.size();
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
    std::vector<unsigned char> rgba;
    int w = 0, h = 0;
    if (!ImageFile::read(ResourceFiles::textPath(name), &rgba, &w, &h))
        return nullptr;
    auto* pixels = static_cast<unsigned char*>(malloc(rgba.size()));
    if (!pixels)
        return nullptr;
    for (size_t i = 0; i < rgba.size(); i += 4) {
        const unsigned int alpha = rgba[i + 3];
        for (size_t c = 0; c < 3; ++c)
            pixels[i + c] = static_cast<unsigned char>((rgba[i + c] * alpha + 127) / 255);
        pixels[i + 3] = static_cast<unsigned char>(alpha);
    }
    *width = static_cast<unsigned int>(w);
    *height = static_cast<unsigned int>(h);
    *bitsPerPixel = 32;
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
