// The os... services on Linux: resources from disk, images through ImageFile,
// music through MusicPlayer, time and presentation through the current host.
#include "utils/Platform.h"

#include "HostClock.h"
#include "HostSurface.h"
#include "ImageFile.h"
#include "ImageHeader.h"
#include "MusicPlayer.h"
#include "ResourceFiles.h"
#include "ScaledResource.h"
#include "Utf8.h"
#include "utils/FileReports.h"
#include "utils/Utils.h"

#include <GLES2/gl2.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
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

unsigned int osGetContentScale()
{
    return static_cast<unsigned int>(HostSurface::scale());
}

unsigned int osGetPixelWidth()
{
    return static_cast<unsigned int>(HostSurface::pixelWidth());
}

unsigned int osGetPixelHeight()
{
    return static_cast<unsigned int>(HostSurface::pixelHeight());
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

namespace {

// Largest image side worth decoding: what the GL takes, and never more than 8192.
int maxImageSide()
{
    GLint glMax = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &glMax);
    return glMax > 0 ? std::min(glMax, 8192) : 8192;
}

// Refuses, before decoding, an image that is not a PNG or JPEG or is too large.
bool hasUsableSize(const std::string& path, const char* name)
{
    int w = 0, h = 0;
    if (!ImageHeader::declaredSize(path, &w, &h)) {
        if (vell::FileReports::isFirst(name))
            vell::Log::error("image '%s' is not a readable PNG or JPEG", name);
        return false;
    }
    const int limit = maxImageSide();
    if (w > limit || h > limit) {
        if (vell::FileReports::isFirst(name))
            vell::Log::error("image '%s' declares %dx%d pixels, more than %d on a side", name, w, h, limit);
        return false;
    }
    return true;
}

} // namespace

bool osImageFileExists(const char* name)
{
    const std::string path = ResourceFiles::textPath(name);
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

std::string osScaledResourceName(const char* name, unsigned int* pixelsPerPoint)
{
    const ScaledResource::Choice choice = ScaledResource::forFrame(name);
    if (pixelsPerPoint)
        *pixelsPerPoint = static_cast<unsigned int>(choice.scale);
    return choice.name;
}

void* osLoadImageFile(const char* requested, unsigned int* width, unsigned int* height,
                      unsigned int* bitsPerPixel)
{
    *width = 0;
    *height = 0;
    const std::string file = osScaledResourceName(requested, nullptr);
    const char* name = file.c_str();
    if (!osImageFileExists(name))
        return nullptr;
    const std::string path = ResourceFiles::textPath(name);
    if (!hasUsableSize(path, name))
        return nullptr;
    std::vector<unsigned char> rgba;
    int w = 0, h = 0;
    if (!ImageFile::read(path, &rgba, &w, &h)) {
        if (vell::FileReports::isFirst(name))
            vell::Log::error("image '%s' cannot be decoded", name);
        return nullptr;
    }
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

void osPlayMp3(const char* name, float startSeconds)
{
    std::string reason;
    if (MusicPlayer::play(ResourceFiles::directory() + "/" + name, startSeconds, &reason))
        return;
    if (reason.find(name) == std::string::npos) // say which file the reason is about
        reason = "'" + std::string(name) + "': " + reason;
    vell::Log::msg("Failed with reason: %s", reason.c_str());
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
