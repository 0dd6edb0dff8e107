#include "ScaledResource.h"

#include "HostSurface.h"
#include "ResourceFiles.h"
#include "utils/FileReports.h"
#include "utils/Utils.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace {

// Base names of the pictures made at 1x, 2x and 4x.
constexpr std::array<const char*, 24> kScaled = {
    "FontSupernatural.png", "FontSupernatural.dat", "FontHelvetica.png", "FontHelvetica.dat",
    "mirandeLogo512x256.png", "decrunching512x256.png", "tarsk_music512.png", "keln_code512.png",
    "gathra2.png", "error_txt.png",
    "indicator01.png", "indicator02.png", "indicator03.png", "indicator04.png", "indicator05.png",
    "indicator06.png", "indicator07.png", "indicator08.png", "indicator09.png",
    "kingfisher256x256.jpg", "marrowby256x256.jpg",
    "flare.png", "cloud.png", "ExampleTexturingSEMLightProbeWarm.png"};

} // namespace

int ScaledResource::fileScale(int contentScale)
{
    return contentScale >= 3 ? 4 : contentScale == 2 ? 2 : 1;
}

bool ScaledResource::isScaled(const std::string& name)
{
    const std::string file = std::filesystem::path(name).filename().string();
    return std::any_of(kScaled.begin(), kScaled.end(), [&](const char* n) { return file == n; });
}

ScaledResource::Choice ScaledResource::choose(const std::string& name, int contentScale,
                                              const std::function<bool(const std::string&)>& present)
{
    const int scale = fileScale(contentScale);
    if (scale == 1 || !isScaled(name))
        return {name, 1, false};
    const std::string scaled = scaledName(name, scale);
    if (!present(scaled))
        return {name, 1, true};
    return {scaled, scale, false};
}

ScaledResource::Choice ScaledResource::forFrame(const std::string& name)
{
    const Choice c = choose(name, HostSurface::scale(), [](const std::string& file) {
        const std::string path = ResourceFiles::textPath(file);
        std::error_code ec;
        return !path.empty() && std::filesystem::is_regular_file(path, ec);
    });
    if (c.missing) {
        const std::string scaled = scaledName(name, fileScale(HostSurface::scale()));
        if (vell::FileReports::isFirst(scaled))
            vell::Log::msg("No '%s' in the resources: '%s' is read instead", scaled.c_str(), name.c_str());
    }
    return c;
}
