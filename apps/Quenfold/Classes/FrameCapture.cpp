#include "FrameCapture.h"

#include "HeadlessContext.h"
#include "HostSurface.h"
#include "ImageFile.h"
#include "utils/Utils.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace fs = std::filesystem;

std::vector<uint8_t> FrameCapture::glToImage()
{
    return HeadlessContext::readFrame();
}

std::string FrameCapture::picturesDirectory()
{
    const char* pictures = getenv("XDG_PICTURES_DIR");
    if (pictures && pictures[0])
        return (fs::path(pictures) / "Quenfold").string();
    const char* home = getenv("HOME");
    if (home && home[0])
        return (fs::path(home) / "Pictures" / "Quenfold").string();
    return {};
}

std::string FrameCapture::unusedPath(const std::string& dir)
{
    const std::time_t now = std::time(nullptr);
    char stamp[32];
    std::strftime(stamp, sizeof(stamp), "Quenfold-%Y%m%d-%H%M%S", std::localtime(&now));
    std::error_code ec;
    fs::path path = fs::path(dir) / (std::string(stamp) + ".png");
    for (int n = 2; fs::exists(path, ec); ++n)
        path = fs::path(dir) / (std::string(stamp) + "-" + std::to_string(n) + ".png");
    return path.string();
}

bool FrameCapture::captureToPhotoAlbum()
{
    const std::vector<uint8_t> frame = glToImage();
    const std::string dir = picturesDirectory();
    if (dir.empty()) {
        vell::Log::error("cannot save the frame: neither XDG_PICTURES_DIR nor HOME is set");
        return false;
    }
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        vell::Log::error("cannot save the frame in '%s': %s", vell::printableText(dir).c_str(), ec.message().c_str());
        return false;
    }
    const std::string path = unusedPath(dir);
    std::string reason;
    if (!ImageFile::writePng(path, frame, HostSurface::pixelWidth(), HostSurface::pixelHeight(), &reason)) {
        vell::Log::error("cannot save the frame to '%s': %s", vell::printableText(path).c_str(), reason.c_str());
        return false;
    }
    vell::Log::msg("saved frame to %s", vell::printableText(path).c_str());
    return true;
}
